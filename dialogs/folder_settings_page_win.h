// The folder settings window's behaviour on the main window's own controls (the window is one
// dialog: a second instance finds it by its title): the current folder and its edit box, the
// folder list box, the folder browser, drops, the detail settings of a folder and its revert,
// Done and Cancel. It asks for the menus to be built again through RebuildRequests, with the
// reason, and knows nothing of the launcher.
#pragma once

#include "framework/dialog_win.h"
#include "settings/folder_list.h"
#include "settings/menu_rebuild.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

class HotkeyRegistrations;
class NowFolder;
class StoredSettings;

class FolderSettingsPage final : public WindowPart, private FolderListListener {
public:
    FolderSettingsPage(Dialog& window, NowFolder& nowFolder, FolderList& folders,
                       StoredSettings& settings, HotkeyRegistrations& hotkeys,
                       RebuildRequests& rebuilds);

    // The stored current folder; on the very first start (none, and no folders) the folder
    // "app" beside the program is made, listed and made current.
    void start();

    const std::string& currentFolder() const { return currentFolder_; }
    // The stored current folder, read back and shown.
    void restoreCurrentFolder();
    // Makes the folder at the list index current (the tray popup's folder items, the folders'
    // hot keys); one that is gone is reported and the current folder stays.
    void switchTo(int index);
    // Checks the shown folder and stores it; false (reported) when it is no folder.
    bool applyCurrentFolder();

    void show();
    void addFolder(const std::string& path);
    void deleteFolder(int index);
    void dropFolders(HDROP drop);

private:
    MessageMap messageMap() const override;
    // The paths' widths, in the font the system scaled.
    void onDpiChanged(UINT) override { fitFolderListExtent(); }

    void addFolderFromBrowser();
    // Tells that folders whose paths (one per line) the code page cannot hold are not added.
    void refuseUnheldFolders(const std::u16string& folders);
    void deleteSelectedFolder();
    void editFolderSettings();
    void revertFolderToStandard();
    void closeWithDone();
    void closeWithCancel();
    void undoTypingInCurrentFolder();
    MessageResult takeDrop(WPARAM wParam, LPARAM lParam);

    int selectedFolder() const;  // the selected list line, or -1
    void revertToStandard(int index);
    void followSettingsChange(const std::string& path);
    void fitFolderListExtent();
    void showCurrentFolder();
    void readCurrentFolderBox();

    void folderAppended(const std::string& path) override;
    void folderRemoved(int index, int countBefore) override;
    void folderListReloaded() override;

    NowFolder& nowFolder_;
    FolderList& folders_;
    StoredSettings& settings_;
    HotkeyRegistrations& hotkeys_;
    RebuildRequests& rebuilds_;
    std::string currentFolder_;
};
