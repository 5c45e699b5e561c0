#include "app/main_window_win.h"

#include "common/directory_win.h"
#include "common/folder_browser_win.h"
#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "framework/application_win.h"
#include "framework/controls_win.h"
#include "framework/data_exchange_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "framework/system_error_win.h"
#include "launcher/folder_menu.h"
#include "launcher/launch_entry_win.h"
#include "launcher/menu_layout.h"
#include "launcher/menu_placement_win.h"
#include "resources/resource.h"
#include "settings/profile_layout.h"
#include "settings/profile_names.h"
#include "settings/system_look_win.h"

#include <commctrl.h>

namespace names = profile_names;

const char mainWindowTitle[] = "Quintarel - Folder の 設定 -";

namespace {

// Posted after a popup closed, behind the command the popup posted.
constexpr UINT deferredRebuildMessage = WM_APP + 0x65;

// The tray icon's retry timer is 1.
constexpr UINT_PTR folderWatchTimerId = 2;

// The number of menu builds as a property of the main window, readable from other processes.
constexpr char menuBuildsProperty[] = "Quintarel.MenuBuilds";
// The dialog's own (ANSI) window procedure, which the wide one in front of it hands on to.
constexpr char ansiProcedureProperty[] = "Quintarel.AnsiProcedure";

const char chooseFolderMessage[] = "フォルダーを選んでください";

HICON loadSmallIcon(int id)
{
    return static_cast<HICON>(
        LoadImageA(app::instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

// A dialog that serves the whole run is brought forward when its command comes again.
bool broughtForward(const Dialog& dialog)
{
    if (!dialog.isOpen())
        return false;
    SetForegroundWindow(dialog.hwnd());
    return true;
}

class AboutBox final : public Dialog {
public:
    AboutBox() : Dialog(IDD_ABOUT) {}
};

}  // namespace

MainWindow::MainWindow()
    : Dialog(IDD_FOLDER_SETTINGS),
      trayIcon(loadSmallIcon(IDI_NORMAL), loadSmallIcon(IDI_BUSY)),
      folderPaths(app::profile()),
      launcherHotkeyDialog(hotkeys)
{
    activeSettings = &settingsChain.standard();
    launcherMenu.useSettings(*activeSettings);
    folderPaths.setListener(this);
}

MainWindow::~MainWindow()
{
    saveAllSettings();
}

Dialog::MessageMap MainWindow::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDM_EXIT, &MainWindow::exitProgram),
        command(IDM_SHOW_FOLDER_SETTINGS, &MainWindow::showFolderSettings),
        command(IDM_STANDARD_DETAIL, &MainWindow::editStandardSettings),
        command(IDM_MENU_UPDATE, &MainWindow::refreshMenus),
        command(IDM_HOTKEY_SETTINGS, &MainWindow::editLauncherHotkey),
        command(IDM_MULTI_RUN, &MainWindow::showMultiRunWindow),
        command(IDC_FOLDER_ADD, &MainWindow::addFolderFromBrowser),
        command(IDC_FOLDER_DELETE, &MainWindow::deleteSelectedFolder),
        command(IDC_FOLDER_DETAIL, &MainWindow::editFolderSettings),
        command(IDC_FOLDER_LIST, &MainWindow::editFolderSettings, LBN_DBLCLK),
        command(IDC_FOLDER_STANDARD, &MainWindow::revertFolderToStandard),
        command(IDC_CURRENT_FOLDER, &MainWindow::undoTypingInCurrentFolder, EN_CHANGE),
        message(trayCallbackMessage, &MainWindow::answerTrayClick),
        message(WM_MEASUREITEM, &MainWindow::measureLauncherItem),
        message(WM_DRAWITEM, &MainWindow::drawLauncherItem),
        message(WM_SYSCOMMAND, &MainWindow::runSystemMenuCommand),
        message(WM_CLOSE, &MainWindow::ignoreCloseBox),
        message(WM_ENDSESSION, &MainWindow::saveAtSessionEnd),
        message(WM_TIMER, &MainWindow::runTimer),
    };
    return mapOf(entries);
}

MessageResult MainWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (trayIcon.isTaskbarCreated(message)) {
        trayIcon.putUpAfterTaskbarRestart();
        return MessageResult::of(0);
    }
    // The launcher menu's keyboard and highlight are its own: the same messages come for the
    // system menu of this window, where they are none of its business.
    bool forLauncherMenu = launcherMenu.handle() &&
                           reinterpret_cast<HMENU>(lParam) == launcherMenu.handle();
    switch (message) {
    case WM_COMMAND:
        if (routeLauncherCommand(wParam))
            return MessageResult::of(0);
        break;
    case WM_HOTKEY:
        popUpAtHotkey(static_cast<int>(wParam));
        return MessageResult::of(0);
    case WM_MENUSELECT:
        if (!forLauncherMenu)
            break;
        launcherMenu.followHighlight(wParam);
        return MessageResult::of(0);
    case WM_MENUCHAR:
        if (!forLauncherMenu)
            break;
        return MessageResult::of(answerTypedKey(wParam));
    case deferredRebuildMessage:
        runDeferredRebuild();
        return MessageResult::of(0);
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        dropFolders(drop);
        fitFolderListExtent();
        DragFinish(drop);
        return MessageResult::of(0);
    }
    case WM_MOUSEWHEEL:
        return MessageResult::of(0);
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        // Rebuilt now rather than at the next popup; the dialog still scales itself.
        fitLauncherMenuToPointer();
        break;
    default:
        break;
    }
    return defaultWindowProc(message, wParam, lParam);
}

void MainWindow::exchangeData(DataExchange& exchange)
{
    exchange.text(IDC_CURRENT_FOLDER, currentFolder);
}

// ---- life cycle ----

BOOL MainWindow::onInitDialog()
{
    // The main window owns message boxes and popups from here on, also during the rest of this
    // initialisation.
    app::setMainWindow(hwnd());
    Dialog::onInitDialog();

    std::string aboutText = app::loadString(IDS_ABOUT_ITEM);
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (systemMenu && !aboutText.empty()) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT, aboutText.c_str());
    }
    setWindowIcons(hwnd(), trayIcon.normalIcon(), trayIcon.normalIcon());
    SetPropA(hwnd(), ansiProcedureProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(
                 hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::receiveWideKeys))));

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_HOTKEY_CLASS};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();

    loadSettings(app::profile(), settingsChain, currentSystemLook());
    settingsLoaded = true;

    trayIcon.putUp(hwnd(), trayCallbackMessage, app::displayName());
    hotkeys.attach(hwnd());
    folderWatch.attach(hwnd(), folderWatchTimerId, [this] { buildLauncherMenu(); });

    if (!trayCommandMenu.load())
        return FALSE;

    restoreCurrentFolder();
    if (currentFolder.empty() && readFolderCount(app::profile()) == 0)
        createFirstFolder();

    chooseActiveSettings();
    recreateMenuFont();
    targetFolderText = app::profile().readString(names::nowFolderSection,
                                                 names::targetFolderValue,
                                                 names::defaultTargetFolderText);
    targetFolderRead = true;
    registerLauncherHotkeyAtStart();

    buildLauncherMenu();
    rebuildFolderMenu();
    hotkeys.registerFolderKeys(settingsChain, folderPaths.paths());
    return FALSE;
}

void MainWindow::createFirstFolder()
{
    PathParts program = splitPath(app::modulePath());
    std::string folder = makePath(program.drive, program.directory, "app", "");
    createDirectoryPath(folder);
    currentFolder = folder;
    updateData(false);
    addFolder(currentFolder);
    applyCurrentFolder();
}

void MainWindow::registerLauncherHotkeyAtStart()
{
    launcherHotkey = static_cast<HotkeyWord>(
        app::profile().readInt(names::nowFolderSection, names::hotkeyValue, 0) & 0xFFFF);
    if (launcherHotkey != 0 && !hotkeys.registerKey(mainHotkeyId, launcherHotkey))
        reportHotkeyFailure(hwnd(), "標準呼出");
}

void MainWindow::chooseActiveSettings()
{
    activeSettings = &settingsChain.settingsFor(currentFolder);
    launcherMenu.useSettings(*activeSettings);
}

void MainWindow::recreateMenuFont()
{
    launcherMenu.recreateFont();
}

void MainWindow::saveAllSettings()
{
    // Before the profile was read the sets are still zero-filled; writing them would replace
    // the user's settings with nothing (a window that failed to come up ends this way).
    if (settingsLoaded)
        saveSettings(app::profile(), settingsChain);
}

void MainWindow::exitProgram()
{
    // A run of the multiple-execution window may hold the program in its loop all day.
    multiRunWindow.endRunForExit();
    // The plain dialog end: the data is read back and the message loop ends.
    Dialog::onOK();
}

void MainWindow::showFolderSettings()
{
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

MessageResult MainWindow::ignoreCloseBox(WPARAM, LPARAM)
{
    // The close box does nothing: the window is hidden only by Done and Cancel.
    return MessageResult::of(0);
}

MessageResult MainWindow::runSystemMenuCommand(WPARAM wParam, LPARAM)
{
    if ((wParam & 0xFFF0) == IDM_ABOUT) {
        showAboutBox();
        return MessageResult::of(0);
    }
    return MessageResult::unhandled();
}

void MainWindow::showAboutBox()
{
    AboutBox about;
    about.runModal(hwnd());
}

void MainWindow::destroyWindow()
{
    folderWatch.stop();
    if (hwnd())
        RemovePropA(hwnd(), menuBuildsProperty);
    trayIcon.remove();
    saveForSessionEnd();
    Dialog::destroyWindow();
}

MessageResult MainWindow::saveAtSessionEnd(WPARAM wParam, LPARAM)
{
    // The system ends the process soon after this message, without the exit command ever
    // coming: what exit would write is written now. The program itself runs on until then.
    if (wParam) {
        multiRunWindow.endRunForExit();
        saveForSessionEnd();
    }
    return MessageResult::of(0);
}

void MainWindow::saveForSessionEnd()
{
    saveAllSettings();
    if (targetFolderRead)
        app::profile().writeString(names::nowFolderSection, names::targetFolderValue,
                                   targetFolderText);
}

MessageResult MainWindow::runTimer(WPARAM wParam, LPARAM)
{
    if (trayIcon.retryOnTimer(wParam) || folderWatch.settleOnTimer(wParam))
        return MessageResult::of(0);
    return MessageResult::unhandled();
}

// ---- the tray icon, hot keys and the launcher menu ----

MessageResult MainWindow::answerTrayClick(WPARAM, LPARAM lParam)
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
    if (mouse == WM_LBUTTONDOWN)
        popUpLauncherMenu(cursor.x, cursor.y);
    else
        popUpTrayCommandMenu(cursor.x, cursor.y);
    return MessageResult::of(0);
}

void MainWindow::popUpLauncherMenu(int x, int y, UINT alignment)
{
    fitLauncherMenuToPointer();
    menuOnScreen = true;
    launcherMenu.popUp(hwnd(), x, y, alignment);
    menuOnScreen = false;
    PostMessageA(hwnd(), deferredRebuildMessage, 0, 0);
}

void MainWindow::popUpTrayCommandMenu(int x, int y)
{
    launcherMenu.noteOtherMenuOpen();
    menuOnScreen = true;
    trayCommandMenu.popUp(hwnd(), x, y);
    menuOnScreen = false;
    PostMessageA(hwnd(), deferredRebuildMessage, 0, 0);
}

void MainWindow::runDeferredRebuild()
{
    if (menuOnScreen)
        return;
    if (rebuildDeferred) {
        rebuildDeferred = false;
        refreshMenus();
    }
    if (deferredHotkey >= 0) {
        int id = deferredHotkey;
        deferredHotkey = -1;
        popUpAtHotkey(id);
    }
}

void MainWindow::popUpAtHotkey(int id)
{
    if (menuOnScreen) {
        // A second popup cannot open while one is tracked: the open one closes, and the key is
        // answered after that.
        deferredHotkey = id;
        EndMenu();
        return;
    }
    if (id != mainHotkeyId) {
        // A folder's own hot key; one that names no listed folder (the registrations and the
        // list disagree) does nothing.
        if (!folderPaths.isIndex(id))
            return;
        switchFolder(id);
    }
    // Where the user works: the corner of the work area of the monitor under the pointer.
    PopupPlace place = hotkeyMenuPlace();
    popUpLauncherMenu(place.point.x, place.point.y, place.alignment);
}

MessageResult MainWindow::measureLauncherItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || !launcherMenu.measure(hwnd(), *item))
        return MessageResult::unhandled();
    return MessageResult::of(TRUE);
}

MessageResult MainWindow::drawLauncherItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || !launcherMenu.draw(*item))
        return MessageResult::unhandled();
    return MessageResult::of(TRUE);
}

LRESULT CALLBACK MainWindow::receiveWideKeys(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam)
{
    auto ansiProcedure = reinterpret_cast<WNDPROC>(GetPropA(window, ansiProcedureProperty));
    auto* self = static_cast<MainWindow*>(fromWindow(window));
    if (message == WM_MENUCHAR && self && self->launcherMenu.handle() &&
        reinterpret_cast<HMENU>(lParam) == self->launcherMenu.handle()) {
        wchar_t typed[2] = {static_cast<wchar_t>(LOWORD(wParam)), 0};
        std::string ansi;
        if (!narrowedExactly(typed, ansi))
            return static_cast<LRESULT>(self->launcherMenu.answerTypedRealKey(typed[0]).result);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ansiProcedure));
        RemovePropA(window, ansiProcedureProperty);
    }
    return CallWindowProcW(ansiProcedure, window, message, wParam, lParam);
}

LRESULT MainWindow::answerTypedKey(WPARAM wParam)
{
    TypeAheadAnswer answer = launcherMenu.answerTypedKey(wParam);
    if (answer.collected >= 0) {
        multiRunWindow.showWithoutActivating();
        std::size_t entry = static_cast<std::size_t>(answer.collected);
        multiRunWindow.appendEntry(launcherMenu.paths()[entry], launcherMenu.realPaths()[entry]);
    }
    return static_cast<LRESULT>(answer.result);
}

bool MainWindow::routeLauncherCommand(WPARAM wParam)
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

void MainWindow::launchEntry(unsigned id)
{
    const std::string path = launcherMenu.pathOf(id);
    if (path.empty())
        return;
    // An entry whose name the code page cannot hold is opened by its real path.
    const std::wstring realPath = launcherMenu.realPathOf(id);
    switch (launchModeNow()) {
    case LaunchMode::properties:
        if (realPath.empty())
            showEntryProperties(hwnd(), path, currentFolder);
        else
            showEntryProperties(hwnd(), realPath, currentFolder);
        return;
    case LaunchMode::askParameters:
        paramPromptDialog.promptTitle = path;
        paramPromptDialog.promptRealTitle = realPath;
        // A hot key during an open prompt can bring the menu back: that prompt is given up.
        if (paramPromptDialog.isOpen())
            paramPromptDialog.endDialog(IDCANCEL);
        if (paramPromptDialog.runModal(hwnd()) != IDOK)
            return;
        break;
    case LaunchMode::open:
        paramPromptDialog.promptResult.clear();
        break;
    }
    if (realPath.empty())
        openEntry(hwnd(), path, currentFolder, paramPromptDialog.promptResult);
    else
        openEntry(hwnd(), realPath, currentFolder, paramPromptDialog.promptResult);
}

void MainWindow::buildLauncherMenu()
{
    if (menuOnScreen) {
        rebuildDeferred = true;
        return;
    }
    currentFolder =
        app::profile().readString(names::nowFolderSection, names::appFolderValue, "");
    updateData(false);
    trayIcon.setTip(trayTipFor(currentFolder, TrayIcon::maxTipChars));
    buildLauncherMenuFor(menuTargetAtPointer());
    // The menu follows its folder from now on: a change there rebuilds it by itself.
    folderWatch.follow(currentFolder);
}

void MainWindow::fitLauncherMenuToPointer()
{
    // Under an open popup nothing is rebuilt; the next popup fits the menu to its monitor.
    if (menuOnScreen)
        return;
    MenuTarget target = menuTargetAtPointer();
    if (launcherMenu.handle() && target != launcherMenu.builtFor())
        buildLauncherMenuFor(target);
}

void MainWindow::buildLauncherMenuFor(const MenuTarget& target)
{
    trayIcon.showBusy();
    launcherMenu.build(hwnd(), currentFolder, targetFolderText, target);
    trayIcon.showNormal();
    SetPropA(hwnd(), menuBuildsProperty, reinterpret_cast<HANDLE>(++menuBuilds));
}

void MainWindow::rebuildFolderMenu()
{
    if (menuOnScreen) {
        rebuildDeferred = true;
        return;
    }
    folderPaths.reload();
}

void MainWindow::switchFolder(int index)
{
    if (!folderPaths.isIndex(index))
        return;
    currentFolder = folderPaths.at(index);
    updateData(false);
    if (!applyCurrentFolder())
        restoreCurrentFolder();
    refreshMenus();
}

// ---- the current folder and the folder list ----

bool MainWindow::applyCurrentFolder()
{
    updateData(true);
    // The attributes, not a search for entries: an empty drive root (a fresh memory stick) has
    // no entry at all, not even ".".
    DWORD attributes = GetFileAttributesA(currentFolder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetLastError(ERROR_DIRECTORY);
        std::string text = lastErrorText() + "\n対象のフォルダーは変更されません";
        appMessageBox(text, MB_OK | MB_ICONSTOP);
        return false;
    }
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

void MainWindow::addFolder(const std::string& path)
{
    if (!folderPaths.add(path))
        appMessageBox(folderListFullMessage, MB_OK | MB_ICONINFORMATION);
}

void MainWindow::deleteFolder(int index)
{
    if (!folderPaths.isIndex(index))
        return;
    // Another line of the list may name the same folder: its settings stay while it does.
    if (!folderPaths.listedElsewhere(folderPaths.at(index), index))
        revertToStandard(index);
    updateData(true);
    // Folder hot key ids are list indices: every later folder's id changes with the removal.
    hotkeys.withdrawFolderKeys();
    folderPaths.remove(index);
    hotkeys.registerFolderKeys(settingsChain, folderPaths.paths());

    ListBox list(item(IDC_FOLDER_LIST));
    int remaining = static_cast<int>(folderPaths.size());
    if (remaining == 0) {
        list.select(-1);
        EnableWindow(item(IDC_FOLDER_DELETE), FALSE);
    } else {
        list.select(index < remaining ? index : remaining - 1);
    }
    updateData(false);
}

void MainWindow::dropFolders(HDROP drop)
{
    DropReport report;
    std::u16string unheld;
    for (const DroppedPath& dropped : droppedRealPaths(drop)) {
        if (!dropped.realPath.empty()) {
            unheld += dropped.realPath + u"\n";
            continue;
        }
        const std::string& path = dropped.path;
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
    if (!unheld.empty())
        refuseUnheldFolders(unheld);
}

void MainWindow::refuseUnheldFolders(const std::u16string& folders)
{
    // The folder list is stored in the code page: such a folder would be stored with "?" and
    // never found again.
    appMessageBoxWide(wideChars(folders + widened("\nは名前にこのシステムの文字コードにない文字を"
                                                  "含むため、ランチャーフォルダーにできません。")),
                      MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::folderAppended(const std::string& path)
{
    ListBox list(item(IDC_FOLDER_LIST));
    if (!list.handle())
        return;
    list.add(path);
    list.widenExtentFor(path);
}

void MainWindow::folderRemoved(int index, int countBefore)
{
    ListBox list(item(IDC_FOLDER_LIST));
    list.remove(index);
    list.fitExtentToLines();
    trayCommandMenu.removeFolder(index, countBefore);
}

void MainWindow::folderListReloaded()
{
    trayCommandMenu.showFolders(hwnd(), folderPaths.paths(), currentFolder,
                                settingsChain.standard().DesktopRatio);
    ListBox list(item(IDC_FOLDER_LIST));
    if (list.handle()) {
        list.clear();
        for (const std::string& path : folderPaths.paths())
            list.add(folderListLine(path, settingsChain.findFolderSettings(path) != nullptr));
        list.fitExtentToLines();
    }
    updateData(false);
}

void MainWindow::fitFolderListExtent()
{
    ListBox(item(IDC_FOLDER_LIST)).fitExtentToLines(true);
}

// ---- the folder settings window ----

int MainWindow::selectedFolder() const
{
    int selection = ListBox(item(IDC_FOLDER_LIST)).selection();
    return folderPaths.isIndex(selection) ? selection : -1;
}

void MainWindow::undoTypingInCurrentFolder()
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
    std::u16string unheld;
    browseForFolder(hwnd(), app::loadString(IDS_BROWSE_TITLE), 0, currentFolder, chosen,
                    &unheld);
    if (!unheld.empty())
        refuseUnheldFolders(unheld + u"\n");
    addFolder(chosen);
    fitFolderListExtent();
    EnableWindow(item(IDC_FOLDER_DELETE), TRUE);
    updateData(false);
}

void MainWindow::deleteSelectedFolder()
{
    int selection = ListBox(item(IDC_FOLDER_LIST)).selection();
    if (selection >= 0)
        deleteFolder(selection);
}

void MainWindow::editFolderSettings()
{
    updateData(true);
    int selection = selectedFolder();
    if (selection < 0) {
        appMessageBox(chooseFolderMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string path = folderPaths.at(selection);
    LauncherSettings* own = settingsChain.findFolderSettings(path);

    DetailSettingsDialog dialog;
    dialog.values = detailValuesOf(own ? *own : settingsChain.standard());
    dialog.isFolderSpecific = true;
    dialog.folderName = path;
    dialog.hotkeys = &hotkeys;
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
            chooseActiveSettings();
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
    std::string path = folderPaths.at(index);
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
    DetailSettingsDialog& dialog = standardDetailDialog;
    if (broughtForward(dialog))
        return;
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

void MainWindow::editLauncherHotkey()
{
    HotkeyDialog& dialog = launcherHotkeyDialog;
    if (broughtForward(dialog))
        return;
    dialog.value = launcherHotkey;
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    if (dialog.value == 0) {
        hotkeys.withdraw(mainHotkeyId);
    } else if (dialog.value != launcherHotkey || !hotkeys.isRegistered(mainHotkeyId)) {
        // Also an unchanged key that is not registered now (withdrawn by DELETE before a
        // CANCEL, or held by another program at start-up): OK is the way to get it back.
        if (!hotkeys.registerKey(mainHotkeyId, dialog.value))
            reportHotkeyFailureInAppBox();
    }
    launcherHotkey = dialog.value;
    app::profile().writeInt(names::nowFolderSection, names::hotkeyValue, launcherHotkey);
}

void MainWindow::showMultiRunWindow()
{
    ShowWindow(multiRunWindow.hwnd(), SW_SHOWNORMAL);
}
