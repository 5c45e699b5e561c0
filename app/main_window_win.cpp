// MainWindow's life cycle: construction, initialisation, the commands of the life cycle, and
// destruction.
#include "app/main_window_win.h"

#include "common/directory_win.h"
#include "common/path_text.h"
#include "dialogs/hotkeys_win.h"
#include "framework/application_win.h"
#include "framework/data_exchange_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "launcher/tray_icon_win.h"
#include "resources/resource.h"
#include "settings/folder_list.h"
#include "settings/profile_layout.h"
#include "settings/profile_names.h"
#include "settings/system_look_win.h"

#include <commctrl.h>

namespace names = profile_names;

const char mainWindowTitle[] = "Quintarel - Folder の 設定 -";

namespace {

HICON loadSmallIcon(int id)
{
    return static_cast<HICON>(
        LoadImageA(app::instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

class AboutBox final : public Dialog {
public:
    AboutBox() : Dialog(IDD_ABOUT) {}
};

}  // namespace

MainWindow::MainWindow()
    : Dialog(IDD_FOLDER_SETTINGS),
      normalIcon(loadSmallIcon(IDI_NORMAL)),
      busyIcon(loadSmallIcon(IDI_BUSY))
{
    activeSettings = &settingsChain.standard();
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
        command(IDC_CURRENT_FOLDER, &MainWindow::onCurrentFolderChanged, EN_CHANGE),
        message(trayCallbackMessage, &MainWindow::onTrayNotify),
        message(WM_MEASUREITEM, &MainWindow::onMeasureItem),
        message(WM_DRAWITEM, &MainWindow::onDrawItem),
        message(WM_SYSCOMMAND, &MainWindow::onSystemCommand),
        message(WM_CLOSE, &MainWindow::onClose),
        message(WM_ENDSESSION, &MainWindow::onEndSession),
        message(WM_TIMER, &MainWindow::onTimer),
    };
    return mapOf(entries);
}

void MainWindow::exchangeData(DataExchange& exchange)
{
    folderListBox = item(IDC_FOLDER_LIST);
    exchange.text(IDC_CURRENT_FOLDER, currentFolder);
}

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

    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(normalIcon.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(normalIcon.get()));

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_HOTKEY_CLASS};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();

    loadSettings(app::profile(), settingsChain, currentSystemLook());
    settingsLoaded = true;

    putTrayIconUp();

    if (!trayCommandMenu)
        trayCommandMenu.reset(LoadMenuA(app::instance(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (!trayCommandMenu || !GetSubMenu(trayCommandMenu.get(), 0)) {
        fixedItemCount = 0;
        return FALSE;
    }
    fixedItemCount = GetMenuItemCount(GetSubMenu(trayCommandMenu.get(), 0));

    restoreCurrentFolder();
    if (currentFolder.empty() && readFolderCount(app::profile()) == 0)
        createFirstFolder();

    chooseActiveSettings();
    recreateMenuFont();
    targetFolderText = app::profile().readString(names::nowFolderSection,
                                                 names::targetFolderValue,
                                                 names::defaultTargetFolderText);
    registerLauncherHotkeyAtStart();

    buildLauncherMenu();
    rebuildFolderMenu();
    registerFolderHotkeys();
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
    if (launcherHotkey != 0 && !registerHotkey(hwnd(), launcherHotkey, mainHotkeyId))
        reportHotkeyFailure(hwnd(), "標準呼出");
}

void MainWindow::chooseActiveSettings()
{
    activeSettings = &settingsChain.settingsFor(currentFolder);
}

void MainWindow::recreateMenuFont()
{
    menuFont.reset();
    LOGFONTA font = toLogFont(activeSettings->Font);
    menuFont.reset(CreateFontIndirectA(&font));
}

void MainWindow::saveAllSettings()
{
    // Before the profile was read the sets are still zero-filled; writing them would replace
    // the user's settings with nothing (a window that failed to come up ends this way).
    if (settingsLoaded)
        saveSettings(app::profile(), settingsChain);
}

HMENU MainWindow::trayCommandPopup() const
{
    return trayCommandMenu ? GetSubMenu(trayCommandMenu.get(), 0) : nullptr;
}

void MainWindow::exitProgram()
{
    // The plain dialog end: the data is read back and the message loop ends.
    Dialog::onOK();
}

void MainWindow::showFolderSettings()
{
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

MessageResult MainWindow::onClose(WPARAM, LPARAM)
{
    // The close box does nothing: the window is hidden only by Done and Cancel.
    return MessageResult::of(0);
}

MessageResult MainWindow::onSystemCommand(WPARAM wParam, LPARAM)
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
    trayIcon().remove();
    saveForSessionEnd();
    Dialog::destroyWindow();
}

MessageResult MainWindow::onEndSession(WPARAM wParam, LPARAM)
{
    // The system ends the process soon after this message, without the exit command ever
    // coming: what exit would write is written now. The program itself runs on until then.
    if (wParam)
        saveForSessionEnd();
    return MessageResult::of(0);
}

void MainWindow::saveForSessionEnd()
{
    saveAllSettings();
    app::profile().writeString(names::nowFolderSection, names::targetFolderValue,
                               targetFolderText);
}
