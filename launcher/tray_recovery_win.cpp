// Keeping the tray icon up. At log-on the program may start before the taskbar exists, and
// Explorer may restart at any time, taking every icon with it; without the icon the launcher
// can only be reached by its hot key.
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "launcher/tray_icon_win.h"

#include <algorithm>

namespace {

// The main window's only timer.
constexpr UINT_PTR trayRetryTimerId = 1;

// The taskbar is usually a moment away: the first retry comes soon, later ones ever less often,
// so a session without a taskbar costs next to nothing.
constexpr UINT firstTrayRetryMs = 250;
constexpr UINT longestTrayRetryMs = 60 * 1000;

}  // namespace

void MainWindow::putTrayIconUp()
{
    if (!taskbarCreatedMessage)
        taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    // The first time a fresh record; afterwards the record as it stands, with the icon and tip
    // the menu build gave it meanwhile.
    bool up = trayIcon().owner() == hwnd()
                  ? trayIcon().readd()
                  : trayIcon().add(hwnd(), trayCallbackMessage, normalIcon.get(),
                                   app::displayName());
    if (up) {
        KillTimer(hwnd(), trayRetryTimerId);
        trayRetryDelay = 0;
        return;
    }
    retryTrayIconLater();
}

void MainWindow::retryTrayIconLater()
{
    trayRetryDelay = trayRetryDelay == 0 ? firstTrayRetryMs
                                         : std::min(trayRetryDelay * 2, longestTrayRetryMs);
    SetTimer(hwnd(), trayRetryTimerId, trayRetryDelay, nullptr);
}

void MainWindow::onTaskbarCreated()
{
    // Before the initialisation put the icon up there is nothing to restore.
    if (trayIcon().owner() != hwnd())
        return;
    trayRetryDelay = 0;
    putTrayIconUp();
}

MessageResult MainWindow::onTimer(WPARAM wParam, LPARAM)
{
    if (wParam != trayRetryTimerId)
        return MessageResult::unhandled();
    KillTimer(hwnd(), trayRetryTimerId);
    putTrayIconUp();
    return MessageResult::of(0);
}
