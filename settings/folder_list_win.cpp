// Adding, deleting and dropping launcher folders: the profile, the list box, folderPaths, the
// folder hot keys and the folder items of the tray command popup move together.
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "resources/resource.h"
#include "settings/folder_list.h"
#include "settings/list_box_text_win.h"

#include <shellapi.h>

#include <vector>

void MainWindow::addFolder(const std::string& path)
{
    if (path.empty())
        return;
    if (!appendFolder(app::profile(), path)) {
        appMessageBox(folderListFullMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    folderPaths.push_back(path);
    HWND list = item(IDC_FOLDER_LIST);
    if (!list)
        return;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    int width = listBoxTextWidth(list, path);
    if (width > static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)))
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void MainWindow::deleteSelectedFolder()
{
    LRESULT selection = SendMessageA(item(IDC_FOLDER_LIST), LB_GETCURSEL, 0, 0);
    if (selection != LB_ERR)
        deleteFolder(static_cast<int>(selection));
}

void MainWindow::deleteFolder(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= folderPaths.size())
        return;
    revertToStandard(index);
    updateData(true);

    // Folder hot key ids are list indices: every later folder's id changes with the removal.
    unregisterAllHotkeys();
    int before = static_cast<int>(folderPaths.size());
    HWND list = item(IDC_FOLDER_LIST);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    removeFolder(app::profile(), folderPaths, index);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestListBoxLine(list)), 0);
    registerFolderHotkeys();

    if (HMENU popup = trayCommandPopup()) {
        DeleteMenu(popup, folderFirstId + static_cast<unsigned>(index), MF_BYCOMMAND);
        for (int later = index + 1; later < before; ++later) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID;
            info.wID = folderFirstId + static_cast<unsigned>(later - 1);
            SetMenuItemInfoA(popup, folderFirstId + static_cast<unsigned>(later), FALSE, &info);
        }
        if (folderPaths.empty() && GetMenuItemCount(popup) > fixedItemCount &&
            (GetMenuState(popup, static_cast<UINT>(fixedItemCount), MF_BYPOSITION) &
             MF_SEPARATOR))
            DeleteMenu(popup, static_cast<UINT>(fixedItemCount), MF_BYPOSITION);
    }

    int remaining = static_cast<int>(folderPaths.size());
    if (remaining == 0) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        EnableWindow(item(IDC_FOLDER_DELETE), FALSE);
    } else {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index < remaining ? index
                                                                               : remaining - 1),
                     0);
    }
    updateData(false);
}

void MainWindow::dropFolders(HDROP drop)
{
    DropReport report;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        UINT got = DragQueryFileA(drop, i, buffer.data(), length + 1);
        std::string path(buffer.data(), got);
        if (DropReport::isTooLong(path)) {
            report.addTooLong(path);
            continue;
        }
        // The attributes answer for a drive root too, where a file search finds no entry.
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            addFolder(path);
        else
            report.addNotFolder(path);
    }
    updateData(false);
    if (!report.empty())
        appMessageBox(report.text(), MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::updateListExtent()
{
    HWND list = item(IDC_FOLDER_LIST);
    int width = widestListBoxLine(list) + GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}
