#include "launcher/tray_icon_win.h"

#include "common/path_text.h"

#include <cstring>

TrayIcon& trayIcon()
{
    static TrayIcon icon;
    return icon;
}

namespace {

void copyTip(NOTIFYICONDATAA& data, const std::string& tip)
{
    std::string cut = cutWhole(tip, TrayIcon::maxTipChars);
    std::memset(data.szTip, 0, sizeof(data.szTip));
    std::memcpy(data.szTip, cut.data(), cut.size());
}

}  // namespace

bool TrayIcon::add(HWND owner, UINT callbackMessage, HICON icon, const std::string& tip)
{
    data_ = NOTIFYICONDATAA{};
    // The record as the shell first defined it: every shell version accepts it.
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = owner;
    data_.uID = iconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    copyTip(data_, tip);
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    return added_;
}

bool TrayIcon::readd()
{
    if (!data_.hWnd)
        return false;
    // A taskbar that still shows the icon refuses to add it twice; then it is up all the same.
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE ||
             Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
    return added_;
}

bool TrayIcon::setIcon(HICON icon)
{
    data_.hIcon = icon;
    return data_.hWnd && Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

bool TrayIcon::setTip(const std::string& tip)
{
    copyTip(data_, tip);
    return data_.hWnd && Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

bool TrayIcon::remove()
{
    if (!data_.hWnd)
        return false;
    bool removed = Shell_NotifyIconA(NIM_DELETE, &data_) != FALSE;
    added_ = false;
    return removed;
}
