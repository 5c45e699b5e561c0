#include "launcher/tray_icon_win.h"

#include "common/path_text.h"

#include <algorithm>
#include <cstring>

namespace {

// The taskbar is usually a moment away: the first retry comes soon, later ones ever less often,
// so a session without a taskbar costs next to nothing.
constexpr UINT firstRetryMs = 250;
constexpr UINT longestRetryMs = 60 * 1000;

// A text into a field of the record, cut at a whole character with room for the end.
template <std::size_t size>
void copyText(char (&field)[size], const std::string& text)
{
    std::string cut = cutWhole(text, size - 1);
    std::memset(field, 0, size);
    std::memcpy(field, cut.data(), cut.size());
}

void copyTip(NOTIFYICONDATAA& data, const std::string& tip)
{
    // The record's first size holds 64 bytes of tip, whatever the field's size now.
    copyText(data.szTip, cutWhole(tip, TrayIcon::maxTipChars));
}

}  // namespace

TrayIcon::TrayIcon(Dialog& window, HICON normal, HICON busy)
    : WindowPart(window), normalIcon_(normal), busyIcon_(busy),
      retryTimerId_(window.newTimerId())
{
    window.reserveMessage(callbackMessage);
}

WindowPart::MessageMap TrayIcon::messageMap() const
{
    static const MessageMapEntry entries[] = {
        message(WM_TIMER, &TrayIcon::retryOnTimer),
    };
    return mapOf(entries);
}

MessageResult TrayIcon::partProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A registered message has no fixed number a map could name.
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        putUpAfterTaskbarRestart();
        return MessageResult::of(0);
    }
    return WindowPart::partProc(message, wParam, lParam);
}

void TrayIcon::putUp(const std::string& tip)
{
    HWND owner = hwnd();
    if (!taskbarCreatedMessage_)
        taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    if (data_.hWnd != owner) {
        data_ = NOTIFYICONDATAA{};
        // The record as the shell first defined it: every shell version accepts it.
        data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data_.hWnd = owner;
        data_.uID = iconId;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = callbackMessage;
        data_.hIcon = normalIcon_.get();
        copyTip(data_, tip);
        added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    } else {
        putUpAgain();
    }
    if (added_) {
        KillTimer(owner, retryTimerId_);
        retryDelay_ = 0;
        if (balloonPending())
            sendBalloon();
        return;
    }
    retryLater();
}

void TrayIcon::showBalloon(const std::string& title, const std::string& text)
{
    balloonTitle_ = title;
    balloonText_ = text;
    if (added_)
        sendBalloon();
}

void TrayIcon::sendBalloon()
{
    // The balloon's fields came with the shell of Windows 2000; the rest of the record stays as
    // the icon was put up, so only the balloon changes.
    NOTIFYICONDATAA balloon = data_;
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    copyText(balloon.szInfoTitle, balloonTitle_);
    copyText(balloon.szInfo, balloonText_);
    balloon.dwInfoFlags = NIIF_INFO;
    // Windows Vista and later ignore it and take the user's accessibility setting instead.
    balloon.uTimeout = 10000;
    if (Shell_NotifyIconA(NIM_MODIFY, &balloon)) {
        balloonTitle_.clear();
        balloonText_.clear();
    }
}

void TrayIcon::putUpAfterTaskbarRestart()
{
    // Before the icon was first put up there is nothing to restore.
    if (!data_.hWnd)
        return;
    retryDelay_ = 0;
    putUp(data_.szTip);
}

MessageResult TrayIcon::retryOnTimer(WPARAM timerId, LPARAM)
{
    if (timerId != retryTimerId_ || !data_.hWnd)
        return MessageResult::unhandled();
    KillTimer(data_.hWnd, retryTimerId_);
    putUp(data_.szTip);
    return MessageResult::of(0);
}

void TrayIcon::retryLater()
{
    retryDelay_ = retryDelay_ == 0 ? firstRetryMs : std::min(retryDelay_ * 2, longestRetryMs);
    SetTimer(data_.hWnd, retryTimerId_, retryDelay_, nullptr);
}

bool TrayIcon::putUpAgain()
{
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
    KillTimer(data_.hWnd, retryTimerId_);
    retryDelay_ = 0;
    bool removed = Shell_NotifyIconA(NIM_DELETE, &data_) != FALSE;
    added_ = false;
    return removed;
}
