// The program's one icon in the notification area, with its normal and busy pictures and its
// tip, kept up while the taskbar comes and goes: at log-on the program may start before the
// taskbar exists, and Explorer may restart at any time, taking every icon with it; without the
// icon the launcher can only be reached by its hot key.
#pragma once

#include "framework/dialog_win.h"
#include "framework/handles_win.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// A part of the window the icon belongs to: it answers the shell's "TaskbarCreated" and its
// own retry timer; the clicks (callbackMessage) are for whoever pops menus up.
class TrayIcon final : public WindowPart {
public:
    // The tip holds at most 63 characters.
    static constexpr std::size_t maxTipChars = 63;
    static constexpr UINT iconId = 128;
    // The clicks on the icon come to the window as this message; tools that drive the program
    // from outside post it too, so its number is fixed.
    static constexpr UINT callbackMessage = WM_APP + 0x64;

    // The pictures: normal, and busy while the menu is built.
    TrayIcon(Dialog& window, HICON normal, HICON busy);

    // Puts the icon up for the window: the first time with the normal picture and the tip,
    // afterwards as it stands. When the taskbar refuses it (not there yet, or restarting),
    // tries again from a timer, each time waiting longer.
    void putUp(const std::string& tip);
    bool retryPending() const { return retryDelay_ != 0; }

    MessageResult partProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void showBusy() { setIcon(busyIcon_.get()); }
    void showNormal() { setIcon(normalIcon_.get()); }
    bool setTip(const std::string& tip);
    // A balloon notification from the icon, shown now or as soon as the taskbar takes the icon.
    void showBalloon(const std::string& title, const std::string& text);
    bool balloonPending() const { return !balloonText_.empty(); }
    bool remove();

    bool isAdded() const { return added_; }
    HICON icon() const { return data_.hIcon; }
    HICON normalIcon() const { return normalIcon_.get(); }
    std::string tip() const { return data_.szTip; }
    HWND owner() const { return data_.hWnd; }

private:
    MessageMap messageMap() const override;
    MessageResult retryOnTimer(WPARAM timerId, LPARAM);
    void putUpAfterTaskbarRestart();
    bool setIcon(HICON icon);
    // An icon the taskbar still holds counts as up.
    bool putUpAgain();
    void retryLater();
    void sendBalloon();

    IconHandle normalIcon_;
    IconHandle busyIcon_;
    NOTIFYICONDATAA data_{};
    bool added_ = false;
    UINT taskbarCreatedMessage_ = 0;
    UINT_PTR retryTimerId_;
    // The wait before the next attempt (0: none pending).
    UINT retryDelay_ = 0;
    std::string balloonTitle_;
    std::string balloonText_;
};
