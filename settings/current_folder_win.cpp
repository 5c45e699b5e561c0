// Making a folder the current launcher folder, and making the menus follow.
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/handles_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "framework/system_error_win.h"
#include "settings/profile_names.h"

namespace names = profile_names;

bool MainWindow::applyCurrentFolder()
{
    updateData(true);
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((currentFolder + "\\*.*").c_str(), &found));
    if (!search) {
        std::string text = lastErrorText() + "\n対象のフォルダーは変更されません";
        appMessageBox(text, MB_OK | MB_ICONSTOP);
        return false;
    }
    search.reset();
    if (!app::profile().writeString(names::nowFolderSection, names::appFolderValue,
                                    currentFolder))
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
    chooseActiveSettings();
    recreateMenuFont();
    return true;
}

void MainWindow::restoreCurrentFolder()
{
    currentFolder =
        app::profile().readString(names::nowFolderSection, names::appFolderValue, "");
}

void MainWindow::refreshMenus()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    buildLauncherMenu();
    rebuildFolderMenu();
    SetCursor(previous);
}
