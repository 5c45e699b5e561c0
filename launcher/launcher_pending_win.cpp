// Stand-ins for the launcher menu operations while they are being built: the window runs, and
// none of these does anything yet.
#include "app/main_window_win.h"

MessageResult MainWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultWindowProc(message, wParam, lParam);
}

MessageResult MainWindow::onTrayNotify(WPARAM, LPARAM)
{
    return MessageResult::of(0);
}

MessageResult MainWindow::onMeasureItem(WPARAM, LPARAM)
{
    return MessageResult::unhandled();
}

MessageResult MainWindow::onDrawItem(WPARAM, LPARAM)
{
    return MessageResult::unhandled();
}

void MainWindow::buildLauncherMenu() {}
