// The buttons of the folder settings window, MainWindow's face, and the tray commands that
// open the settings.
#include "app/main_window_win.h"

#include "dialogs/detail_settings_win.h"
#include "framework/application_win.h"
#include "framework/handles_win.h"
#include "framework/message_box_win.h"
#include "resources/resource.h"

#include <shlobj.h>

namespace {

const char chooseFolderMessage[] = "フォルダーを選んでください";

// The standard set's dialog serves the whole run, so a second command while it is open finds it.
DetailSettingsDialog& standardDetailDialog()
{
    static DetailSettingsDialog dialog;
    return dialog;
}

int CALLBACK browserCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    const char* start = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && start && *start)
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

// The folder the user picks in the shell's folder browser, opening at startFolder; the result
// stays as it was when nothing was picked.
void browseFolder(HWND owner, const std::string& startFolder, std::string& result)
{
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.receive()))) || !allocator) {
        appMessageBox("メモリの確保に失敗", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string title = app::loadString(IDS_BROWSE_TITLE);
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = 0;
    browse.lpfn = browserCallback;
    browse.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(chosen, path))
        result = path;
    allocator->Free(chosen);
}

}  // namespace

int MainWindow::selectedFolder() const
{
    LRESULT selection = SendMessageA(item(IDC_FOLDER_LIST), LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || selection < 0 ||
        static_cast<std::size_t>(selection) >= folderPaths.size())
        return -1;
    return static_cast<int>(selection);
}

void MainWindow::onCurrentFolderChanged()
{
    // Whatever is typed is undone at once: the box always shows currentFolder. Setting the text
    // raises this notification again, which then finds nothing to undo.
    if (itemText(IDC_CURRENT_FOLDER) != currentFolder)
        updateData(false);
}

void MainWindow::addFolderFromBrowser()
{
    updateData(true);
    std::string chosen;
    browseFolder(hwnd(), currentFolder, chosen);
    addFolder(chosen);
    updateListExtent();
    EnableWindow(item(IDC_FOLDER_DELETE), TRUE);
    updateData(false);
}

void MainWindow::editFolderSettings()
{
    updateData(true);
    int selection = selectedFolder();
    if (selection < 0) {
        appMessageBox(chooseFolderMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string path = folderPaths[static_cast<std::size_t>(selection)];
    LauncherSettings* own = settingsChain.findFolderSettings(path);

    DetailSettingsDialog dialog;
    dialog.values = detailValuesOf(own ? *own : settingsChain.standard());
    dialog.isFolderSpecific = true;
    dialog.folderName = path;
    dialog.hotkeyId = selection;
    if (dialog.runModal(hwnd()) != IDOK)
        return;

    if (own) {
        handBack(dialog.values, *own);
    } else {
        LauncherSettings set;
        handBack(dialog.values, set);
        set.Folder = path;
        bool full = settingsChain.folderSetCount() >= SettingsChain::maxFolderSets;
        LauncherSettings* added = settingsChain.addFolderSettings(set);
        if (!added && !full)
            appMessageBox("メモリ確保に失敗しました", MB_OK | MB_ICONINFORMATION);
        if (added && path == currentFolder)
            activeSettings = added;
    }
    followSettingsChange(path);
}

void MainWindow::revertFolderToStandard()
{
    int selection = selectedFolder();
    if (selection < 0) {
        appMessageBox(chooseFolderMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    revertToStandard(selection);
}

void MainWindow::revertToStandard(int index)
{
    std::string path = folderPaths[static_cast<std::size_t>(index)];
    settingsChain.removeFolderSettings(path);
    chooseActiveSettings();
    followSettingsChange(path);
}

void MainWindow::followSettingsChange(const std::string& path)
{
    // The font goes first: the launcher menu is measured with it as it is rebuilt, and a
    // removed set's font must not stay in force.
    recreateMenuFont();
    if (path == currentFolder)
        refreshMenus();
    else
        rebuildFolderMenu();
}

void MainWindow::onOK()
{
    closeWithDone();
}

void MainWindow::onCancel()
{
    closeWithCancel();
}

void MainWindow::closeWithDone()
{
    if (!applyCurrentFolder()) {
        restoreCurrentFolder();
        updateData(false);
        return;
    }
    refreshMenus();
    ShowWindow(hwnd(), SW_HIDE);
    saveAllSettings();
}

void MainWindow::closeWithCancel()
{
    restoreCurrentFolder();
    updateData(false);
    rebuildFolderMenu();
    ShowWindow(hwnd(), SW_HIDE);
    saveAllSettings();
}

void MainWindow::editStandardSettings()
{
    DetailSettingsDialog& dialog = standardDetailDialog();
    if (dialog.isOpen()) {
        SetForegroundWindow(dialog.hwnd());
        return;
    }
    dialog.values = detailValuesOf(settingsChain.standard());
    dialog.isFolderSpecific = false;
    dialog.folderName.clear();
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    handBack(dialog.values, settingsChain.standard());
    recreateMenuFont();
    refreshMenus();
    saveAllSettings();
}

void MainWindow::showMultiRunWindow()
{
    ShowWindow(multiRunWindow.hwnd(), SW_SHOWNORMAL);
}
