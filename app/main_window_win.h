// The main window of the launcher: a hidden modeless dialog whose face is the folder settings
// window. It is the one place that knows every part: it makes them in the order they depend on
// each other, starts them in the order of the program's start-up, and ends them; the parts see
// its messages through its chained message map.
#pragma once

#include "dialogs/detail_settings_win.h"
#include "dialogs/folder_settings_page_win.h"
#include "dialogs/hotkey_dialog_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/dialog_win.h"
#include "launcher/launcher_controller_win.h"
#include "launcher/tray_icon_win.h"
#include "multirun/multirun_window_win.h"
#include "settings/folder_list.h"
#include "settings/now_folder.h"
#include "settings/stored_settings.h"

extern const char mainWindowTitle[];

class MainWindow final : public Dialog {
public:
    explicit MainWindow(ProfileStore& profile);
    ~MainWindow() override;

    // Removes the tray icon and saves everything before the window goes.
    void destroyWindow() override;

    // The parts, for the program's start and for tests.
    LauncherController& launcher() { return launcherPart; }
    FolderSettingsPage& folderPage() { return folderSettingsPage; }
    TrayIcon& tray() { return trayIcon; }
    MultiRunWindow& multiRun() { return multiRunWindow; }
    SettingsChain& settingsChain() { return storedSettings.chain(); }
    FolderList& folderList() { return folderPaths; }
    HotkeyWord launcherHotkey() const { return launcherHotkeyWord; }

protected:
    MessageMap messageMap() const override;
    BOOL onInitDialog() override;

private:
    void registerLauncherHotkeyAtStart();
    void saveForSessionEnd();

    // Commands of the tray popup and the window's own.
    void exitProgram();
    void editStandardSettings();
    void editLauncherHotkey();
    void showMultiRunWindow();
    MessageResult runSystemMenuCommand(WPARAM wParam, LPARAM lParam);
    MessageResult ignoreCloseBox(WPARAM wParam, LPARAM lParam);
    MessageResult saveAtSessionEnd(WPARAM wParam, LPARAM lParam);

    // Members in construction order: each part gets only what is made before it.
    NowFolder nowFolder;
    StoredSettings storedSettings;
    FolderList folderPaths;
    HotkeyRegistrations hotkeys;
    MultiRunWindow multiRunWindow;
    // The title bar's and the task switcher's; the small one is the tray icon's.
    IconHandle bigIcon;
    TrayIcon trayIcon;
    // Bound to the page before it is made, and told nothing until it is.
    LauncherController launcherPart;
    FolderSettingsPage folderSettingsPage;
    HotkeyWord launcherHotkeyWord = 0;
    // One of each serves the whole run, so a second command while it is open finds it.
    HotkeyDialog launcherHotkeyDialog;
    DetailSettingsDialog standardDetailDialog;
};
