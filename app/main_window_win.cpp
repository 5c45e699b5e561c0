#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/controls_win.h"
#include "framework/message_box_win.h"
#include "resources/resource.h"
#include "settings/system_look_win.h"

#include <commctrl.h>

const char mainWindowTitle[] = "Quintarel - Folder の 設定 -";

namespace {

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

MainWindow::MainWindow(ProfileStore& profile)
    : Dialog(IDD_FOLDER_SETTINGS), nowFolder(profile), storedSettings(profile),
      folderPaths(profile), multiRunWindow(profile),
      trayIcon(*this, loadIconForDpi(app::instance(), IDI_NORMAL, IconSize::small),
               loadIconForDpi(app::instance(), IDI_BUSY, IconSize::small)),
      launcherPart(*this, trayIcon, nowFolder, folderPaths, storedSettings.chain(), hotkeys,
                   folderSettingsPage,
                   [this](const std::string& path, const std::u16string& realPath) {
                       multiRunWindow.showWithoutActivating();
                       multiRunWindow.appendEntry(path, realPath);
                   }),
      folderSettingsPage(*this, nowFolder, folderPaths, storedSettings, hotkeys, launcherPart),
      launcherHotkeyDialog(hotkeys)
{
    // The launcher menu keeps following its folder while a run list waits for its programs.
    multiRunWindow.keepServingDuringRuns(waits());
}

MainWindow::~MainWindow()
{
    storedSettings.save();
}

Dialog::MessageMap MainWindow::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDM_EXIT, &MainWindow::exitProgram),
        command(IDM_STANDARD_DETAIL, &MainWindow::editStandardSettings),
        command(IDM_HOTKEY_SETTINGS, &MainWindow::editLauncherHotkey),
        command(IDM_MULTI_RUN, &MainWindow::showMultiRunWindow),
        message(WM_SYSCOMMAND, &MainWindow::runSystemMenuCommand),
        message(WM_CLOSE, &MainWindow::ignoreCloseBox),
        message(WM_ENDSESSION, &MainWindow::saveAtSessionEnd),
    };
    return mapOf(entries);
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
    bigIcon.reset(loadIconForDpi(app::instance(), IDI_NORMAL, IconSize::large));
    setWindowIcons(hwnd(), bigIcon.get(), trayIcon.normalIcon());

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_HOTKEY_CLASS};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();

    // Read before anything is stored: a user who never ran the program has no profile yet.
    bool firstStart = !app::profileExists();
    storedSettings.load(currentSystemLook());
    trayIcon.putUp(app::displayName());
    // Windows puts a new icon among the hidden ones: a first-time user would see nothing.
    if (firstStart)
        trayIcon.showBalloon(app::loadString(IDS_WELCOME_TITLE), app::loadString(IDS_WELCOME_TEXT));
    hotkeys.attach(hwnd());
    if (!launcherPart.start())
        return FALSE;
    folderSettingsPage.start();
    registerLauncherHotkeyAtStart();
    launcherPart.requestRebuild(RebuildReason::start);
    hotkeys.registerFolderKeys(storedSettings.chain(), folderPaths.paths());
    return FALSE;
}

void MainWindow::registerLauncherHotkeyAtStart()
{
    launcherHotkeyWord = nowFolder.launcherHotkey();
    if (launcherHotkeyWord != 0 && !hotkeys.registerKey(mainHotkeyId, launcherHotkeyWord))
        reportHotkeyFailure(hwnd(), "標準呼出");
}

void MainWindow::destroyWindow()
{
    launcherPart.stop();
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
    storedSettings.save();
    launcherPart.saveForSessionEnd();
}

void MainWindow::exitProgram()
{
    // A run of the multiple-execution window may hold the program in its loop all day.
    multiRunWindow.endRunForExit();
    // The plain dialog end: the data is read back and the message loop ends.
    Dialog::onOK();
}

MessageResult MainWindow::ignoreCloseBox(WPARAM, LPARAM)
{
    // The close box does nothing: the window is hidden only by Done and Cancel.
    return MessageResult::of(0);
}

MessageResult MainWindow::runSystemMenuCommand(WPARAM wParam, LPARAM)
{
    if ((wParam & 0xFFF0) != IDM_ABOUT)
        return MessageResult::unhandled();
    AboutBox about;
    about.runModal(hwnd());
    return MessageResult::of(0);
}

// ---- the commands of the tray popup ----

void MainWindow::editStandardSettings()
{
    DetailSettingsDialog& dialog = standardDetailDialog;
    if (broughtForward(dialog))
        return;
    dialog.values = detailValuesOf(storedSettings.chain().standard());
    dialog.isFolderSpecific = false;
    dialog.folderName.clear();
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    handBack(dialog.values, storedSettings.chain().standard());
    launcherPart.requestRebuild(RebuildReason::settingChanged);
    storedSettings.save();
}

void MainWindow::editLauncherHotkey()
{
    HotkeyDialog& dialog = launcherHotkeyDialog;
    if (broughtForward(dialog))
        return;
    dialog.value = launcherHotkeyWord;
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    if (dialog.value == 0) {
        hotkeys.withdraw(mainHotkeyId);
    } else if (dialog.value != launcherHotkeyWord || !hotkeys.isRegistered(mainHotkeyId)) {
        // Also an unchanged key that is not registered now (withdrawn by DELETE before a
        // CANCEL, or held by another program at start-up): OK is the way to get it back.
        if (!hotkeys.registerKey(mainHotkeyId, dialog.value))
            reportHotkeyFailureInAppBox();
    }
    launcherHotkeyWord = dialog.value;
    nowFolder.storeLauncherHotkey(launcherHotkeyWord);
}

void MainWindow::showMultiRunWindow()
{
    ShowWindow(multiRunWindow.hwnd(), SW_SHOWNORMAL);
}
