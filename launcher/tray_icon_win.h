// The program's one icon in the notification area, with its normal and busy pictures and its
// tip, kept up while the taskbar comes and goes: at log-on the program may start before the
// taskbar exists, and Explorer may restart at any time, taking every icon with it; without the
// icon the launcher can only be reached by its hot key.
#pragma once

#include "framework/handles_win.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

class TrayIcon {
public:
    // The tip holds at most 63 characters.
    static constexpr std::size_t maxTipChars = 63;
    static constexpr UINT iconId = 128;

    // The pictures: normal, and busy while the menu is built.
    TrayIcon(HICON normal, HICON busy);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Puts the icon up for the owner, which gets callbackMessage for clicks and its timer for
    // retries: the first time with the normal picture and the tip, afterwards as it stands.
    // When the taskbar refuses it (not there yet, or restarting), tries again from a timer,
    // each time waiting longer.
    void putUp(HWND owner, UINT callbackMessage, const std::string& tip);
    // The shell's "TaskbarCreated": the taskbar was (re)started and holds no icons.
    bool isTaskbarCreated(UINT message) const;
    void putUpAfterTaskbarRestart();
    // The owner's WM_TIMER; false for a timer that is not the tray icon's.
    bool retryOnTimer(UINT_PTR timerId);
    bool retryPending() const { return retryDelay_ != 0; }

    void showBusy() { setIcon(busyIcon_.get()); }
    void showNormal() { setIcon(normalIcon_.get()); }
    bool setTip(const std::string& tip);
    bool remove();

    bool isAdded() const { return added_; }
    HICON icon() const { return data_.hIcon; }
    HICON normalIcon() const { return normalIcon_.get(); }
    std::string tip() const { return data_.szTip; }
    HWND owner() const { return data_.hWnd; }

private:
    bool setIcon(HICON icon);
    // An icon the taskbar still holds counts as up.
    bool putUpAgain();
    void retryLater();

    IconHandle normalIcon_;
    IconHandle busyIcon_;
    NOTIFYICONDATAA data_{};
    bool added_ = false;
    UINT taskbarCreatedMessage_ = 0;
    // The wait before the next attempt (0: none pending).
    UINT retryDelay_ = 0;
};
