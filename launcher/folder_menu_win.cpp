// The folder items of the tray command popup, and the folder list box refilled in the same pass
// from the profile.
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "launcher/folder_menu.h"
#include "resources/resource.h"
#include "settings/folder_list.h"
#include "settings/list_box_text_win.h"
#include "settings/system_look_win.h"

#include <cstdlib>

namespace {

int desktopBottom(HWND fallback)
{
    RECT rect{};
    if (!GetWindowRect(GetDesktopWindow(), &rect)) {
        showMessageBox(fallback, lastErrorText(), "::GetWindowRect", MB_OK | MB_ICONINFORMATION);
        GetWindowRect(fallback, &rect);
    }
    return rect.bottom;
}

}  // namespace

void MainWindow::rebuildFolderMenu()
{
    HMENU popup = trayCommandPopup();
    if (!popup) {
        fixedItemCount = 0;
        return;
    }
    int rows = folderMenuRows(settingsChain.standard().DesktopRatio, desktopBottom(hwnd()),
                              std::abs(systemMenuFont().lfHeight));

    while (GetMenuItemCount(popup) > fixedItemCount) {
        if (!DeleteMenu(popup, static_cast<UINT>(fixedItemCount), MF_BYPOSITION))
            break;
    }

    std::vector<std::string> paths = readFolderList(app::profile());
    if (!paths.empty())
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);

    HWND list = item(IDC_FOLDER_LIST);
    if (list)
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
    folderPaths.clear();
    int base = GetMenuItemCount(popup);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        folderPaths.push_back(path);
        if (list) {
            std::string line =
                folderListLine(path, settingsChain.findFolderSettings(path) != nullptr);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        int position = static_cast<int>(i) + fixedItemCount + 1;
        UINT flags = MF_STRING | (startsNewColumn(position, rows) ? MF_MENUBARBREAK : 0);
        AppendMenuA(popup, flags, folderFirstId + i, folderItemText(path).c_str());
        if (path == currentFolder)
            CheckMenuItem(popup, static_cast<UINT>(base + static_cast<int>(i)),
                          MF_BYPOSITION | MF_CHECKED);
    }
    if (list)
        SendMessageA(list, LB_SETHORIZONTALEXTENT,
                     static_cast<WPARAM>(widestListBoxLine(list)), 0);
    updateData(false);
}
