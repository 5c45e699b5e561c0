#include "framework/message_box_win.h"

#include "framework/application_win.h"

namespace {

int systemMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    return MessageBoxA(owner, text, caption, flags);
}

MessageBoxFunction currentFunction = systemMessageBox;

int systemWideMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)
{
    return MessageBoxW(owner, text, caption, flags);
}

WideMessageBoxFunction currentWideFunction = systemWideMessageBox;

UINT withDefaultIcon(UINT flags)
{
    UINT type = flags & MB_TYPEMASK;
    bool namesIcon = (flags & MB_ICONMASK) != 0;
    if (!namesIcon && (type == MB_OK || type == MB_OKCANCEL || type == MB_YESNO ||
                       type == MB_YESNOCANCEL))
        flags |= MB_ICONEXCLAMATION;
    return flags;
}

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
    return showMessageBox(messageBoxOwner(), text, app::displayName(), withDefaultIcon(flags));
}

void setWideMessageBoxFunction(WideMessageBoxFunction function)
{
    currentWideFunction = function ? function : systemWideMessageBox;
}

int appMessageBoxWide(const std::wstring& text, UINT flags)
{
    const std::string& caption = app::displayName();
    std::wstring wideCaption(caption.size(), L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, caption.data(), static_cast<int>(caption.size()),
                                     &wideCaption[0], static_cast<int>(wideCaption.size()));
    wideCaption.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return currentWideFunction(messageBoxOwner(), text.c_str(), wideCaption.c_str(),
                               withDefaultIcon(flags));
}
