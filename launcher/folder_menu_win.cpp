#include "launcher/folder_menu_win.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "launcher/folder_menu.h"
#include "launcher/launcher_menu_win.h"
#include "resources/resource.h"
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

bool TrayCommandMenu::load()
{
    if (!trayCommandMenu)
        trayCommandMenu.reset(LoadMenuA(app::instance(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    HMENU menu = popup();
    fixedItems = menu ? GetMenuItemCount(menu) : 0;
    return menu != nullptr;
}

HMENU TrayCommandMenu::popup() const
{
    return trayCommandMenu ? GetSubMenu(trayCommandMenu.get(), 0) : nullptr;
}

void TrayCommandMenu::showFolders(HWND owner, const std::vector<std::string>& paths,
                                  const std::string& currentFolder, int desktopRatio)
{
    HMENU menu = popup();
    if (!menu) {
        fixedItems = 0;
        return;
    }
    int rows = folderMenuRows(desktopRatio, desktopBottom(owner),
                              std::abs(systemMenuFont().lfHeight));

    while (GetMenuItemCount(menu) > fixedItems) {
        if (!DeleteMenu(menu, static_cast<UINT>(fixedItems), MF_BYPOSITION))
            break;
    }
    if (!paths.empty())
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);

    int base = GetMenuItemCount(menu);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        int position = static_cast<int>(i) + fixedItems + 1;
        UINT flags = MF_STRING | (startsNewColumn(position, rows) ? MF_MENUBARBREAK : 0);
        AppendMenuA(menu, flags, folderFirstId + i, folderItemText(path).c_str());
        if (path == currentFolder)
            CheckMenuItem(menu, static_cast<UINT>(base + static_cast<int>(i)),
                          MF_BYPOSITION | MF_CHECKED);
    }
}

void TrayCommandMenu::removeFolder(int index, int countBefore)
{
    HMENU menu = popup();
    if (!menu)
        return;
    DeleteMenu(menu, folderFirstId + static_cast<unsigned>(index), MF_BYCOMMAND);
    for (int later = index + 1; later < countBefore; ++later) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        info.wID = folderFirstId + static_cast<unsigned>(later - 1);
        SetMenuItemInfoA(menu, folderFirstId + static_cast<unsigned>(later), FALSE, &info);
    }
    // The separator goes with the last folder.
    if (countBefore == 1 && GetMenuItemCount(menu) > fixedItems &&
        (GetMenuState(menu, static_cast<UINT>(fixedItems), MF_BYPOSITION) & MF_SEPARATOR))
        DeleteMenu(menu, static_cast<UINT>(fixedItems), MF_BYPOSITION);
}

void TrayCommandMenu::popUp(HWND owner, int x, int y)
{
    HMENU menu = popup();
    if (!menu) {
        PostMessageA(owner, WM_NULL, 0, 0);
        return;
    }
    trackMenu(owner, menu, x, y);
}
