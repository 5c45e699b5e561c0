#include "installer/installer_message_win.h"

int installerMessage(const std::string& text, HWND owner)
{
    return MessageBoxA(owner, text.c_str(), "Install", MB_OK | MB_SETFOREGROUND);
}
