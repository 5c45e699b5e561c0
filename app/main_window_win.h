// The main window of the launcher: a hidden modeless dialog whose face is the folder settings
// window. It composes the subsystems (the tray icon and its command popup, the launcher menu,
// the folder list, the hot keys, the settings, the multiple-execution window), wires them in
// the order of its initialisation and hands its messages to them.
#pragma once

#include "dialogs/detail_settings_win.h"
#include "dialogs/hotkey_dialog_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/dialog_win.h"
#include "launcher/folder_menu_win.h"
#include "launcher/folder_watch_win.h"
#include "launcher/launcher_menu_win.h"
#include "launcher/tray_icon_win.h"
#include "multirun/multirun_window_win.h"
#include "multirun/param_prompt_win.h"
#include "settings/folder_list.h"
#include "settings/settings_chain.h"

#include <shellapi.h>

#include <string>
#include <vector>

// The tray icon's callback message.
constexpr UINT trayCallbackMessage = WM_APP + 0x64;

extern const char mainWindowTitle[];

class MainWindow final : public Dialog, private FolderListListener {
public:
    MainWindow();
    ~MainWindow() override;

    // Removes the tray icon and saves everything before the window goes.
    void destroyWindow() override;

    MultiRunWindow& multiRun() { return multiRunWindow; }
    ParamPromptDialog& paramPrompt() { return paramPromptDialog; }
    TrayIcon& tray() { return trayIcon; }
    SettingsChain& settings() { return settingsChain; }
    LauncherSettings& active() { return *activeSettings; }
    const std::string& currentFolderPath() const { return currentFolder; }
    const std::vector<std::string>& launcherItemTexts() const { return launcherMenu.texts(); }
    const std::vector<std::string>& launcherItemPaths() const { return launcherMenu.paths(); }
    const std::vector<std::u16string>& launcherRealTexts() const
    {
        return launcherMenu.realTexts();
    }
    const std::vector<std::u16string>& launcherRealPaths() const
    {
        return launcherMenu.realPaths();
    }
    const std::vector<std::string>& folderList() const { return folderPaths.paths(); }
    HMENU launcherMenuHandle() const { return launcherMenu.handle(); }
    HMENU trayCommandPopup() const { return trayCommandMenu.popup(); }
    HIMAGELIST launcherImages() const { return launcherMenu.images(); }
    int launcherImageOf(int item) const { return launcherMenu.imageOf(item); }
    int launcherOverlayOf(int item) const { return launcherMenu.overlayOf(item); }
    int launcherRowsPerColumn() const { return launcherMenu.rows(); }
    int highlightedEntry() const { return launcherMenu.highlighted(); }
    HotkeyWord launcherHotkeyWord() const { return launcherHotkey; }
    bool trayRetryPending() const { return trayIcon.retryPending(); }

    // The set in force for currentFolder, and the menu font made from it.
    void chooseActiveSettings();
    void recreateMenuFont();
    void saveAllSettings();

    // ---- current folder and folder list ----
    bool applyCurrentFolder();
    void restoreCurrentFolder();
    void refreshMenus();
    void addFolder(const std::string& path);
    void deleteFolder(int index);
    void dropFolders(HDROP drop);

    // ---- the menus ----
    // Builds the launcher menu for the monitor under the pointer.
    void buildLauncherMenu();
    // The system keeps the item sizes it once measured: before the menu pops up on a monitor of
    // another DPI or height than the one it was built for, and when a monitor's scale or size
    // changes, it is built again for the monitor under the pointer.
    void fitLauncherMenuToPointer();
    void rebuildFolderMenu();
    void switchFolder(int index);

    // ---- commands ----
    void showFolderSettings();
    void exitProgram();
    // On log-off or shut-down: what exit would write.
    void saveForSessionEnd();

protected:
    MessageMap messageMap() const override;
    MessageResult windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override;
    void onOK() override;
    void onCancel() override;
    void exchangeData(DataExchange& exchange) override;

private:
    // The initialisation steps after the menu resource is loaded.
    void createFirstFolder();
    void registerLauncherHotkeyAtStart();

    // Commands of the tray popup and the folder settings window.
    void editStandardSettings();
    void editLauncherHotkey();
    void showMultiRunWindow();
    void addFolderFromBrowser();
    // Tells that folders whose paths (one per line) the code page cannot hold are not added.
    void refuseUnheldFolders(const std::u16string& folders);
    void deleteSelectedFolder();
    void editFolderSettings();
    void revertFolderToStandard();
    void closeWithDone();
    void closeWithCancel();
    void undoTypingInCurrentFolder();
    void showAboutBox();

    // Handlers of the message map.
    MessageResult answerTrayClick(WPARAM wParam, LPARAM lParam);
    MessageResult measureLauncherItem(WPARAM wParam, LPARAM lParam);
    MessageResult drawLauncherItem(WPARAM wParam, LPARAM lParam);
    MessageResult runSystemMenuCommand(WPARAM wParam, LPARAM lParam);
    MessageResult ignoreCloseBox(WPARAM wParam, LPARAM lParam);
    MessageResult saveAtSessionEnd(WPARAM wParam, LPARAM lParam);
    MessageResult runTimer(WPARAM wParam, LPARAM lParam);

    // The popups. While one is on screen the launcher menu is not rebuilt: its items would then
    // stand for other files than those the user sees. A rebuild asked for meanwhile runs once
    // the popup has closed and its command is handled.
    void popUpLauncherMenu(int x, int y, UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);
    void popUpTrayCommandMenu(int x, int y);
    void runDeferredRebuild();
    // Builds the launcher menu of the current folder for that monitor, and counts the build.
    void buildLauncherMenuFor(const MenuTarget& target);

    // The launcher menu's commands and keyboard.
    bool routeLauncherCommand(WPARAM wParam);
    void launchEntry(unsigned id);
    void popUpAtHotkey(int id);
    LRESULT answerTypedKey(WPARAM wParam);
    // The menu's typed characters in UTF-16, before the dialog's ANSI procedure would turn a
    // character the code page cannot hold into "?".
    static LRESULT CALLBACK receiveWideKeys(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    // The folder settings window.
    int selectedFolder() const;  // the selected list line, or -1
    void revertToStandard(int index);
    // After a folder's set changed: the menu font, and the menus that show it.
    void followSettingsChange(const std::string& path);
    void fitFolderListExtent();

    // What the folder list tells.
    void folderAppended(const std::string& path) override;
    void folderRemoved(int index, int countBefore) override;
    void folderListReloaded() override;

    // Members in construction order.
    MultiRunWindow multiRunWindow;
    TrayIcon trayIcon;
    TrayCommandMenu trayCommandMenu;
    LauncherMenu launcherMenu;
    FolderWatch folderWatch;
    // Menu builds so far, for whoever watches the program from outside.
    UINT_PTR menuBuilds = 0;
    FolderList folderPaths;
    HotkeyRegistrations hotkeys;
    std::string targetFolderText;
    // Written back at exit only when read: a start-up that stopped early must not blank it.
    bool targetFolderRead = false;
    bool menuOnScreen = false;
    bool rebuildDeferred = false;
    // A folder hot key pressed while a popup is on screen, handled once it has closed (-1: none).
    int deferredHotkey = -1;
    std::string currentFolder;
    HotkeyWord launcherHotkey = 0;
    SettingsChain settingsChain;
    bool settingsLoaded = false;
    LauncherSettings* activeSettings = nullptr;
    ParamPromptDialog paramPromptDialog;
    // One of each serves the whole run, so a second command while it is open finds it.
    HotkeyDialog launcherHotkeyDialog;
    DetailSettingsDialog standardDetailDialog;
};
