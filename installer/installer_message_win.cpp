#include "installer/installer_message_win.h"

int installerMessage(const std::string& text, HWND owner, UINT buttons)
{
    return MessageBoxA(owner, text.c_str(), "Install", buttons | MB_SETFOREGROUND);
}
