// How the main window is used: clicks on the tray icon, global hot keys, the launcher menu's
// highlight and keyboard, and the routing of launcher and folder commands.
#include "app/main_window_win.h"

#include "launcher/keyboard_state_win.h"

#include "launcher/type_ahead.h"

#include <shellapi.h>

MessageResult MainWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A registered message has no fixed number to switch on.
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) {
        onTaskbarCreated();
        return MessageResult::of(0);
    }
    switch (message) {
    case WM_COMMAND:
        if (launcherCommandFilter(wParam))
            return MessageResult::of(0);
        break;
    case WM_HOTKEY:
        onHotkey(static_cast<int>(wParam));
        return MessageResult::of(0);
    case WM_MENUSELECT:
        onMenuSelect(wParam);
        return MessageResult::of(0);
    case WM_MENUCHAR:
        return MessageResult::of(typeAhead(wParam));
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        dropFolders(drop);
        updateListExtent();
        DragFinish(drop);
        return MessageResult::of(0);
    }
    case WM_MOUSEWHEEL:
        return MessageResult::of(0);
    default:
        break;
    }
    return defaultWindowProc(message, wParam, lParam);
}

MessageResult MainWindow::onTrayNotify(WPARAM, LPARAM lParam)
{
    UINT mouse = static_cast<UINT>(lParam);
    if (mouse != WM_LBUTTONDOWN && mouse != WM_RBUTTONDOWN)
        return MessageResult::of(0);
    SetForegroundWindow(hwnd());

    if (heldNow(VK_CONTROL)) {
        showFolderSettings();
        return MessageResult::of(0);
    }
    if (heldNow(VK_SHIFT)) {
        editStandardSettings();
        return MessageResult::of(0);
    }
    if (heldNow(VK_MENU)) {
        refreshMenus();
        return MessageResult::of(0);
    }

    POINT cursor{};
    GetCursorPos(&cursor);
    if (mouse == WM_LBUTTONDOWN) {
        if (launcherMenu)
            popUpLauncherMenu(cursor.x, cursor.y);
    } else {
        popUpTrayCommandMenu(cursor.x, cursor.y);
    }
    return MessageResult::of(0);
}

namespace {

// Both menus pop up alike: the main window in front, either button chooses, the command comes
// back as WM_COMMAND; the posted WM_NULL lets the menu close when the user clicks elsewhere.
void trackPopup(HWND owner, HMENU menu, int x, int y)
{
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace

void MainWindow::popUpLauncherMenu(int x, int y)
{
    if (!launcherMenu)
        return;
    menuSelection = 0;
    trackPopup(hwnd(), launcherMenu.get(), x, y);
}

void MainWindow::popUpTrayCommandMenu(int x, int y)
{
    if (!trayCommandMenu)
        return;
    HMENU popup = GetSubMenu(trayCommandMenu.get(), 0);
    if (!popup) {
        PostMessageA(hwnd(), WM_NULL, 0, 0);
        return;
    }
    menuSelection = -1;
    trackPopup(hwnd(), popup, x, y);
}

void MainWindow::onHotkey(int id)
{
    // A point beyond the bottom-right corner: the system moves the menu into that corner.
    int x = GetSystemMetrics(SM_CXMAXIMIZED);
    int y = GetSystemMetrics(SM_CYMAXIMIZED);
    if (id != mainHotkeyId) {
        // A folder's own hot key; one that names no listed folder (the registrations and the
        // list disagree) does nothing.
        if (id < 0 || static_cast<std::size_t>(id) >= folderPaths.size())
            return;
        switchFolder(id);
    }
    popUpLauncherMenu(x, y);
}

bool MainWindow::launcherCommandFilter(WPARAM wParam)
{
    if (HIWORD(wParam) != 0)
        return false;
    unsigned id = LOWORD(wParam);
    if (id < launcherFirstId)
        return false;
    if (id <= launcherLastId)
        launchEntry(id);
    else
        switchFolder(static_cast<int>(id - folderFirstId));
    return true;
}

void MainWindow::switchFolder(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= folderPaths.size())
        return;
    currentFolder = folderPaths[static_cast<std::size_t>(index)];
    updateData(false);
    if (!applyCurrentFolder())
        restoreCurrentFolder();
    refreshMenus();
}

void MainWindow::onMenuSelect(WPARAM wParam)
{
    unsigned id = LOWORD(wParam);
    if (menuSelection >= 0 && id >= launcherFirstId && id <= launcherLastId)
        menuSelection = static_cast<int>(id - launcherFirstId);
}

LRESULT MainWindow::typeAhead(WPARAM wParam)
{
    unsigned char typed = static_cast<unsigned char>(LOWORD(wParam) & 0xFF);
    bool shiftHeld = typed == ' ' && GetKeyState(VK_SHIFT) < 0;
    TypeAheadAnswer answer = ::typeAhead(menuSelection, itemTexts, typed, shiftHeld);
    if (answer.collected >= 0) {
        multiRunWindow.showWithoutActivating();
        multiRunWindow.appendEntry(itemPaths[static_cast<std::size_t>(answer.collected)]);
    }
    menuSelection = answer.selection;
    return static_cast<LRESULT>(answer.result);
}
