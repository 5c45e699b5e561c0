// The program's one icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class TrayIcon {
public:
    // The tip holds at most 63 characters.
    static constexpr std::size_t maxTipChars = 63;
    static constexpr UINT iconId = 128;

    bool add(HWND owner, UINT callbackMessage, HICON icon, const std::string& tip);
    bool setIcon(HICON icon);
    bool setTip(const std::string& tip);
    bool remove();

    // Puts the icon up again with its current icon and tip (after the taskbar came back, or
    // after a refused add). An icon the taskbar still holds counts as up.
    bool readd();

    bool isAdded() const { return added_; }
    HICON icon() const { return data_.hIcon; }
    std::string tip() const { return data_.szTip; }
    HWND owner() const { return data_.hWnd; }

private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
};

// One tray icon per process.
TrayIcon& trayIcon();
