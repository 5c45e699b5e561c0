// Stand-ins for the folder settings window and the hot key operations while they are being
// built.
#include "app/main_window_win.h"

void MainWindow::rebuildFolderMenu() {}
void MainWindow::addFolder(const std::string&) {}
void MainWindow::deleteFolder(int) {}
void MainWindow::dropFolders(HDROP) {}
void MainWindow::updateListExtent() {}
void MainWindow::unregisterAllHotkeys() {}
void MainWindow::deleteSelectedFolder() {}
void MainWindow::registerFolderHotkeys() {}
void MainWindow::editLauncherHotkey() {}
void MainWindow::addFolderFromBrowser() {}
void MainWindow::editFolderSettings() {}
void MainWindow::revertFolderToStandard() {}
void MainWindow::editStandardSettings() {}
void MainWindow::onCurrentFolderChanged() {}

void MainWindow::showMultiRunWindow()
{
    ShowWindow(multiRunWindow.hwnd(), SW_SHOWNORMAL);
}

void MainWindow::onOK()
{
    ShowWindow(hwnd(), SW_HIDE);
    saveAllSettings();
}

void MainWindow::onCancel()
{
    restoreCurrentFolder();
    updateData(false);
    ShowWindow(hwnd(), SW_HIDE);
    saveAllSettings();
}
