// The tray icon's command popup: its fixed commands from the resource, and below them one item
// per launcher folder, to switch to it.
#pragma once

#include "framework/handles_win.h"

#include <windows.h>

#include <string>
#include <vector>

// Command id of the folder item at list index i: folderFirstId + i.
constexpr unsigned folderFirstId = 0xB000;

class TrayCommandMenu {
public:
    // Loads the menu resource once; false when it or its popup is missing.
    bool load();
    HMENU popup() const;
    int fixedItemCount() const { return fixedItems; }

    // Replaces the folder items with one per path, the current folder checked, in columns of
    // the share desktopRatio of the desktop.
    void showFolders(HWND owner, const std::vector<std::string>& paths,
                     const std::string& currentFolder, int desktopRatio);
    // The folder at index was removed from a list of countBefore: its item goes, the later
    // items take the ids of their new indices.
    void removeFolder(int index, int countBefore);

    // Pops the popup up at the point for the owner, which receives the chosen command.
    void popUp(HWND owner, int x, int y);

private:
    MenuHandle trayCommandMenu;
    int fixedItems = 0;
};
