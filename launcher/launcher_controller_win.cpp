#include "launcher/launcher_controller_win.h"

#include "common/path_text.h"
#include "dialogs/folder_settings_page_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/controls_win.h"
#include "launcher/launch_entry_win.h"
#include "launcher/menu_layout.h"
#include "launcher/menu_placement_win.h"
#include "launcher/tray_icon_win.h"
#include "resources/resource.h"
#include "settings/now_folder.h"
#include "settings/settings_chain.h"
#include "settings/system_look_win.h"

#include <cstring>
#include <cwchar>

LauncherController::LauncherController(Dialog& window, TrayIcon& tray, NowFolder& nowFolder,
                                       FolderList& folders, SettingsChain& settings,
                                       HotkeyRegistrations& hotkeys,
                                       FolderSettingsPage& folderPage, Collect collect)
    : WindowPart(window), tray_(tray), nowFolder_(nowFolder), folders_(folders),
      settings_(settings), hotkeys_(hotkeys), folderPage_(folderPage),
      collect_(std::move(collect)), settingsInForce_(&settings.standard()),
      folderWatch_(window, [this] { requestRebuild(RebuildReason::watch); }),
      deferredMessage_(window.newPrivateMessage()),
      buildsProperty_(window.claimProperty("Quintarel.MenuBuilds")),
      pictureTimerId_(window.newTimerId())
{
    launcherMenu_.useSettings(*settingsInForce_);
    folders_.addListener(*this);
}

LauncherController::~LauncherController()
{
    stop();
}

WindowPart::MessageMap LauncherController::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDM_MENU_UPDATE, &LauncherController::refreshOnRequest),
        message(TrayIcon::callbackMessage, &LauncherController::answerTrayClick),
        message(WM_HOTKEY, &LauncherController::popUpAtHotkey),
        message(WM_MEASUREITEM, &LauncherController::measureLauncherItem),
        message(WM_DRAWITEM, &LauncherController::drawLauncherItem),
        message(WM_INITMENUPOPUP, &LauncherController::fillSubMenu),
        message(WM_TIMER, &LauncherController::bringPictures),
        message(WM_MENUSELECT, &LauncherController::followHighlight),
        message(WM_MENUCHAR, &LauncherController::answerTypedKey),
        message(WM_MOUSEWHEEL, &LauncherController::swallowWheel),
        message(WM_DPICHANGED, &LauncherController::followDisplayChange),
        message(WM_DISPLAYCHANGE, &LauncherController::followDisplayChange),
        message(WM_SETTINGCHANGE, &LauncherController::followSettingChange),
        message(WM_SYSCOLORCHANGE, &LauncherController::followThemeChange),
        message(WM_THEMECHANGED, &LauncherController::followThemeChange),
    };
    return mapOf(entries);
}

MessageResult LauncherController::partProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Ranges of command ids and a message number handed out at run time: no map can name them.
    if (message == WM_COMMAND && routeCommand(wParam))
        return MessageResult::of(0);
    if (message == deferredMessage_) {
        runDeferred();
        return MessageResult::of(0);
    }
    return WindowPart::partProc(message, wParam, lParam);
}

bool LauncherController::start()
{
    if (!trayCommandMenu_.load())
        return false;
    followDarkModeInPopupMenus();
    HWND window = hwnd();
    ansiProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LauncherController::answerBeforeDialog)));
    folderItemText_ = nowFolder_.folderItemText();
    folderItemTextRead_ = true;
    return true;
}

void LauncherController::stop()
{
    folderWatch_.stop();
    HWND window = hwnd();
    if (!window)
        return;
    RemovePropA(window, buildsProperty_);
    // The window may outlive the controller by a moment: it must not call into it then.
    if (ansiProcedure_) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ansiProcedure_));
        ansiProcedure_ = nullptr;
    }
}

void LauncherController::saveForSessionEnd()
{
    if (folderItemTextRead_)
        nowFolder_.storeFolderItemText(folderItemText_);
}

// ---- rebuilds ----

void LauncherController::requestRebuild(RebuildReason reason)
{
    RebuildPlan plan = planFor(reason);
    if (menuOnScreen_) {
        // A set that changed or went is never drawn from, not even by the open menu.
        if (plan.reloadsSettings)
            chooseSettingsInForce();
        deferredPlan_ |= plan;
        return;
    }
    rebuild(plan);
}

void LauncherController::refreshOnRequest()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    requestRebuild(RebuildReason::menuUpdate);
    SetCursor(previous);
}

void LauncherController::rebuild(const RebuildPlan& plan)
{
    if (plan.readsCurrentFolder) {
        folderPage_.restoreCurrentFolder();
        tray_.setTip(trayTipFor(folderPage_.currentFolder(), TrayIcon::maxTipChars));
    }
    if (plan.reloadsSettings)
        chooseSettingsInForce();
    // Watched before it is listed: what changes while it is listed is noticed.
    const std::string& folder = folderPage_.currentFolder();
    if (plan.watchesAnew)
        folderWatch_.followAnew(folder);
    else if (plan.launcherMenu)
        folderWatch_.follow(folder);
    if (plan.launcherMenu)
        buildLauncherMenuFor(menuTargetAtPointer(), plan.reusesUnchanged);
    if (plan.folderList)
        folders_.reload();
}

void LauncherController::chooseSettingsInForce()
{
    settingsInForce_ = &settings_.settingsFor(folderPage_.currentFolder());
    launcherMenu_.useSettings(*settingsInForce_);
    launcherMenu_.recreateFont();
}

void LauncherController::fitLauncherMenuToPointer()
{
    // Under an open popup nothing is rebuilt; the next popup fits the menu to its monitor.
    if (menuOnScreen_)
        return;
    MenuTarget target = menuTargetAtPointer();
    if (launcherMenu_.handle() && target != launcherMenu_.builtFor())
        buildLauncherMenuFor(target);
}

void LauncherController::buildLauncherMenuFor(const MenuTarget& target, bool reuse)
{
    tray_.showBusy();
    launcherMenu_.build(hwnd(), folderPage_.currentFolder(), folderItemText_, target, reuse);
    tray_.showNormal();
    SetPropA(hwnd(), buildsProperty_, reinterpret_cast<HANDLE>(++menuBuilds_));
}

void LauncherController::catchUpWithFolder()
{
    // A watch that is not running (its folder went and came back, its volume was asked to go)
    // or that follows a folder no longer at its path is taken up again, and the menu built,
    // since it may be older than the folder; a folder still gone keeps the last menu. A change
    // nobody waited for (under a modal dialog) or one not yet settled is built now.
    const std::string& folder = folderPage_.currentFolder();
    bool rebuildNow = false;
    if (!folderWatch_.stillAtItsPath())
        rebuildNow = folderWatch_.followAnew(folder);
    else
        rebuildNow = folderWatch_.takeChange();
    if (rebuildNow)
        rebuild(planFor(RebuildReason::watch));
}

MessageResult LauncherController::followSettingChange(WPARAM wParam, LPARAM lParam)
{
    // "ImmersiveColorSet" is the switch between light and dark apps; a change of high contrast
    // comes as its own setting. Both are read again whatever the setting: it costs little.
    // The window's procedure is wide since it takes wide keys: the text may come either way.
    if (lParam && (std::strcmp(reinterpret_cast<const char*>(lParam), "ImmersiveColorSet") == 0 ||
                   std::wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0))
        followDarkModeInPopupMenus();
    followThemeChange(0, 0);
    return followDisplayChange(wParam, lParam);
}

MessageResult LauncherController::followThemeChange(WPARAM, LPARAM)
{
    launcherMenu_.followTheme();
    return MessageResult::unhandled();
}

MessageResult LauncherController::followDisplayChange(WPARAM, LPARAM)
{
    // Rebuilt now rather than at the next popup; the dialog still scales itself.
    fitLauncherMenuToPointer();
    return MessageResult::unhandled();
}

void LauncherController::folderRemoved(int index, int countBefore)
{
    trayCommandMenu_.removeFolder(index, countBefore);
}

void LauncherController::folderListReloaded()
{
    trayCommandMenu_.showFolders(hwnd(), folders_.paths(), folderPage_.currentFolder(),
                                 settings_.standard().DesktopRatio);
}

// ---- popping up ----

MessageResult LauncherController::answerTrayClick(WPARAM, LPARAM lParam)
{
    UINT mouse = static_cast<UINT>(lParam);
    // A button-down dispatched while a popup is open (by a loop inside it) would make the
    // second popup fail and take the first one for closed.
    if ((mouse != WM_LBUTTONDOWN && mouse != WM_RBUTTONDOWN) || menuOnScreen_)
        return MessageResult::of(0);
    SetForegroundWindow(hwnd());

    // Held keys make the click one of the tray popup's commands.
    UINT command = heldNow(VK_CONTROL) ? IDM_SHOW_FOLDER_SETTINGS
                   : heldNow(VK_SHIFT) ? IDM_STANDARD_DETAIL
                   : heldNow(VK_MENU)  ? IDM_MENU_UPDATE
                                       : 0;
    if (command != 0) {
        SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return MessageResult::of(0);
    }

    POINT cursor{};
    GetCursorPos(&cursor);
    if (mouse == WM_LBUTTONDOWN)
        popUpLauncherMenu(cursor.x, cursor.y);
    else
        popUpTrayCommandMenu(cursor.x, cursor.y);
    return MessageResult::of(0);
}

void LauncherController::popUpLauncherMenu(int x, int y, UINT alignment)
{
    catchUpWithFolder();
    fitLauncherMenuToPointer();
    menuOnScreen_ = true;
    launcherMenu_.popUp(hwnd(), x, y, alignment);
    menuOnScreen_ = false;
    PostMessageA(hwnd(), deferredMessage_, 0, 0);
}

void LauncherController::popUpTrayCommandMenu(int x, int y)
{
    launcherMenu_.noteOtherMenuOpen();
    menuOnScreen_ = true;
    trayCommandMenu_.popUp(hwnd(), x, y);
    menuOnScreen_ = false;
    PostMessageA(hwnd(), deferredMessage_, 0, 0);
}

void LauncherController::runDeferred()
{
    if (menuOnScreen_)
        return;
    if (deferredPlan_.any()) {
        RebuildPlan plan = deferredPlan_;
        deferredPlan_ = RebuildPlan{};
        rebuild(plan);
    }
    if (deferredHotkey_ >= 0) {
        int id = deferredHotkey_;
        deferredHotkey_ = -1;
        popUpForHotkey(id);
    }
}

MessageResult LauncherController::popUpAtHotkey(WPARAM wParam, LPARAM)
{
    popUpForHotkey(static_cast<int>(wParam));
    return MessageResult::of(0);
}

void LauncherController::popUpForHotkey(int id)
{
    if (menuOnScreen_) {
        // A second popup cannot open while one is tracked: the open one closes, and the key is
        // answered after that.
        deferredHotkey_ = id;
        EndMenu();
        return;
    }
    if (id != mainHotkeyId) {
        // A folder's own hot key; one that names no listed folder (the registrations and the
        // list disagree) does nothing.
        if (!folders_.isIndex(id))
            return;
        folderPage_.switchTo(id);
    }
    // Where the user works: the corner of the work area of the monitor under the pointer.
    PopupPlace place = hotkeyMenuPlace();
    popUpLauncherMenu(place.point.x, place.point.y, place.alignment);
}

// ---- the menu's items and keyboard ----

bool LauncherController::forLauncherMenu(LPARAM menu) const
{
    // The same messages come for the system menu of this window, where they are none of the
    // launcher's business.
    return launcherMenu_.handle() && launcherMenu_.isCascadeMenu(reinterpret_cast<HMENU>(menu));
}

MessageResult LauncherController::fillSubMenu(WPARAM wParam, LPARAM)
{
    if (!launcherMenu_.openSubMenu(reinterpret_cast<HMENU>(wParam)))
        return MessageResult::unhandled();
    // The menu loop runs the window's timers: pictures still to come arrive between keys.
    if (launcherMenu_.picturesPending())
        SetTimer(hwnd(), pictureTimerId_, 10, nullptr);
    return MessageResult::of(0);
}

namespace {

BOOL CALLBACK redrawMenuWindow(HWND window, LPARAM)
{
    char name[16] = {};
    if (GetClassNameA(window, name, sizeof(name)) && lstrcmpA(name, "#32768") == 0)
        InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

}  // namespace

MessageResult LauncherController::bringPictures(WPARAM timerId, LPARAM)
{
    if (timerId != pictureTimerId_)
        return MessageResult::unhandled();
    constexpr DWORD sliceMs = 30;
    if (!launcherMenu_.resolvePendingPictures(sliceMs))
        KillTimer(hwnd(), pictureTimerId_);
    // The open menus of this thread draw the pictures that came.
    EnumThreadWindows(GetCurrentThreadId(), redrawMenuWindow, 0);
    return MessageResult::of(0);
}

MessageResult LauncherController::measureLauncherItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || !launcherMenu_.measure(hwnd(), *item))
        return MessageResult::unhandled();
    return MessageResult::of(TRUE);
}

MessageResult LauncherController::drawLauncherItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || !launcherMenu_.draw(*item))
        return MessageResult::unhandled();
    return MessageResult::of(TRUE);
}

MessageResult LauncherController::followHighlight(WPARAM wParam, LPARAM lParam)
{
    // The menu closing (0xFFFF flags, no menu) is not the launcher menu's either: the highlight
    // stays where it was.
    if (!forLauncherMenu(lParam))
        return MessageResult::unhandled();
    launcherMenu_.followHighlight(wParam, reinterpret_cast<HMENU>(lParam));
    return MessageResult::of(0);
}

MessageResult LauncherController::answerTypedKey(WPARAM wParam, LPARAM lParam)
{
    if (!forLauncherMenu(lParam))
        return MessageResult::unhandled();
    TypeAheadAnswer answer =
        launcherMenu_.answerTypedKey(wParam, reinterpret_cast<HMENU>(lParam), GetMessageTime());
    if (answer.collected >= 0 && collect_) {
        const LauncherEntry& entry =
            launcherMenu_.entries()[static_cast<std::size_t>(answer.collected)];
        collect_(entry.path, entry.realPath);
    }
    return MessageResult::of(static_cast<LRESULT>(answer.result));
}

MessageResult LauncherController::swallowWheel(WPARAM, LPARAM)
{
    // The hidden window has nothing to scroll: a wheel message that reaches it (posted, or left
    // by a control) ends here rather than in the dialog's default handling.
    return MessageResult::of(0);
}

LRESULT CALLBACK LauncherController::answerBeforeDialog(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam)
{
    // Runs at every message of the window: found without asking the system for anything.
    Dialog* dialog = Dialog::fromOwnWindow(window);
    auto* self = dialog ? dialog->partOfType<LauncherController>() : nullptr;
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC ansiProcedure = self->ansiProcedure_;
    // The menu measures and draws each of its items at every popup, thousands for a large
    // folder: answered here, where the dialog's default procedure (which writes and reads its
    // result slot through the system each time) is not called.
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
        MessageResult answer = message == WM_MEASUREITEM ? self->measureLauncherItem(wParam, lParam)
                                                         : self->drawLauncherItem(wParam, lParam);
        if (answer.handled)
            return answer.value;
    }
    if (message == WM_MENUCHAR && self->forLauncherMenu(lParam)) {
        auto unit = static_cast<wchar_t>(LOWORD(wParam));
        // A character outside the basic plane comes as two units, one message each.
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            self->highSurrogate_ = unit;
            return 0;
        }
        char32_t character = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF && self->highSurrogate_) {
            character = 0x10000 + ((static_cast<char32_t>(self->highSurrogate_) - 0xD800) << 10) +
                        (static_cast<char32_t>(unit) - 0xDC00);
        }
        self->highSurrogate_ = 0;
        // Every character but the space bar's is typed here, whole: a double-byte character
        // would reach the ANSI procedure as two bytes.
        if (character != ' ')
            return static_cast<LRESULT>(
                self->launcherMenu_
                    .answerTypedCharacter(character, reinterpret_cast<HMENU>(lParam),
                                          static_cast<DWORD>(GetMessageTime()))
                    .result);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ansiProcedure));
    }
    return CallWindowProcW(ansiProcedure, window, message, wParam, lParam);
}

bool LauncherController::routeCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != 0)
        return false;
    unsigned id = LOWORD(wParam);
    if (id < launcherFirstId)
        return false;
    if (id <= launcherLastId)
        launchEntry(id);
    else
        folderPage_.switchTo(static_cast<int>(id - folderFirstId));
    return true;
}

void LauncherController::launchEntry(unsigned id)
{
    const std::string path = launcherMenu_.pathOf(id);
    if (path.empty())
        return;
    // An entry whose name the code page cannot hold is opened by its real path.
    const std::wstring realPath = launcherMenu_.realPathOf(id);
    // An entry of a sub-menu works in the folder it is listed in.
    std::string folder = launcherMenu_.folderOf(id);
    if (folder.empty())
        folder = folderPage_.currentFolder();
    switch (launchModeNow()) {
    case LaunchMode::properties:
        showEntryProperties(hwnd(), path, realPath, folder);
        return;
    case LaunchMode::askParameters:
        paramPrompt_.promptTitle = path;
        paramPrompt_.promptRealTitle = realPath;
        // A hot key during an open prompt can bring the menu back: that prompt is given up.
        if (paramPrompt_.isOpen())
            paramPrompt_.endDialog(IDCANCEL);
        if (paramPrompt_.runModal(hwnd()) != IDOK)
            return;
        break;
    case LaunchMode::open:
        paramPrompt_.promptResult.clear();
        break;
    }
    openEntry(hwnd(), path, realPath, folder, paramPrompt_.promptResult);
}
