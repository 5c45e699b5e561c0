#include "framework/message_box_win.h"

#include "framework/application_win.h"

namespace {

int systemMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    return MessageBoxA(owner, text, caption, flags);
}

MessageBoxFunction currentFunction = systemMessageBox;

}  // namespace

void setMessageBoxFunction(MessageBoxFunction function)
{
    currentFunction = function ? function : systemMessageBox;
}

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return currentFunction(owner, text.c_str(), caption.c_str(), flags);
}

HWND messageBoxOwner()
{
    HWND main = app::mainWindow();
    if (!main || !IsWindow(main))
        return nullptr;
    HWND popup = GetLastActivePopup(main);
    return popup ? popup : main;
}

int appMessageBox(const std::string& text, UINT flags)
{
    UINT type = flags & MB_TYPEMASK;
    bool namesIcon = (flags & MB_ICONMASK) != 0;
    if (!namesIcon && (type == MB_OK || type == MB_OKCANCEL || type == MB_YESNO ||
                       type == MB_YESNOCANCEL))
        flags |= MB_ICONEXCLAMATION;
    return showMessageBox(messageBoxOwner(), text, app::displayName(), flags);
}
