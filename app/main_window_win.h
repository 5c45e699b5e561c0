// The main window of the launcher: a hidden modeless dialog whose face is the folder settings
// window. It owns the tray icon, the settings, the folder list, the launcher menu and the other
// windows. Its operations are implemented beside the subsystem they belong to:
//   app/main_window_win.cpp            life cycle, exit, show, about
//   settings/current_folder_win.cpp    making a folder current, refreshing the menus
//   settings/folder_list_win.cpp       adding, deleting and dropping folders
//   launcher/launcher_menu_win.cpp     building the launcher menu
//   launcher/menu_items_win.cpp        measuring and drawing its items
//   launcher/main_window_proc_win.cpp  tray, hot keys, menu keyboard, command routing
//   launcher/tray_recovery_win.cpp     keeping the tray icon up when the taskbar comes and goes
//   launcher/launch_entry_win.cpp      opening an entry
//   launcher/folder_menu_win.cpp       the folder items of the tray command popup
//   dialogs/folder_settings_win.cpp    the buttons of the folder settings window
//   dialogs/hotkey_settings_win.cpp    hot key registration and the hot key dialog
#pragma once

#include "framework/dialog_win.h"
#include "framework/handles_win.h"
#include "multirun/multirun_window_win.h"
#include "multirun/param_prompt_win.h"
#include "settings/settings_chain.h"

#include <string>
#include <vector>

// Hot key id of a window's own hot key; folder hot keys use their folder's list index.
constexpr int mainHotkeyId = 0xBFFF;

// Command id ranges.
constexpr unsigned launcherFirstId = 0xA000;
constexpr unsigned launcherLastId = 0xAFFF;
constexpr unsigned folderFirstId = 0xB000;

// The tray icon's callback message.
constexpr UINT trayCallbackMessage = WM_APP + 0x64;

extern const char mainWindowTitle[];

class MainWindow final : public Dialog {
public:
    MainWindow();
    ~MainWindow() override;

    // Removes the tray icon and saves everything before the window goes.
    void destroyWindow() override;

    MultiRunWindow& multiRun() { return multiRunWindow; }
    ParamPromptDialog& paramPrompt() { return paramPromptDialog; }
    SettingsChain& settings() { return settingsChain; }
    LauncherSettings& active() { return *activeSettings; }
    const std::string& currentFolderPath() const { return currentFolder; }
    const std::vector<std::string>& launcherItemTexts() const { return itemTexts; }
    const std::vector<std::string>& launcherItemPaths() const { return itemPaths; }
    const std::vector<std::string>& folderList() const { return folderPaths; }
    HMENU launcherMenuHandle() const { return launcherMenu.get(); }
    HMENU trayCommandPopup() const;
    HIMAGELIST launcherImages() const { return launcherImageList.get(); }
    int launcherRowsPerColumn() const { return rowsPerColumn; }
    int highlightedEntry() const { return menuSelection; }
    HotkeyWord launcherHotkeyWord() const { return launcherHotkey; }

    // ---- settings (settings/, Part of the settings model) ----
    void recreateMenuFont();
    void saveAllSettings();
    // The set in force for currentFolder.
    void chooseActiveSettings();

    // ---- current folder and folder list ----
    bool applyCurrentFolder();
    void restoreCurrentFolder();
    void refreshMenus();
    void addFolder(const std::string& path);
    void deleteFolder(int index);
    void deleteSelectedFolder();
    void dropFolders(HDROP drop);
    void updateListExtent();

    // ---- launcher menu ----
    void buildLauncherMenu();
    void rebuildFolderMenu();
    void popUpLauncherMenu(int x, int y);
    void switchFolder(int index);
    void launchEntry(unsigned id);
    bool launcherCommandFilter(WPARAM wParam);
    LRESULT typeAhead(WPARAM wParam);

    // ---- hot keys ----
    void registerFolderHotkeys();
    void unregisterAllHotkeys();
    void editLauncherHotkey();

    // ---- folder settings window ----
    void addFolderFromBrowser();
    void editFolderSettings();
    void revertFolderToStandard();
    void closeWithDone();
    void closeWithCancel();
    void editStandardSettings();
    void showMultiRunWindow();
    void showFolderSettings();

    // ---- life cycle ----
    void exitProgram();
    // On log-off or shut-down: what exit would write.
    void saveForSessionEnd();

    // ---- the tray icon while the taskbar comes and goes ----
    // Puts the tray icon up with its current icon and tip; when the taskbar refuses it (it is
    // not there yet at log-on, or is restarting), tries again from a timer, each time waiting
    // longer.
    void putTrayIconUp();
    // The taskbar was (re)started and holds no icons: up again at once.
    void onTaskbarCreated();
    bool trayRetryPending() const { return trayRetryDelay != 0; }

protected:
    MessageMap messageMap() const override;
    MessageResult windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override;
    void onOK() override;
    void onCancel() override;
    void exchangeData(DataExchange& exchange) override;

private:
    // Handlers of the message map.
    MessageResult onTrayNotify(WPARAM wParam, LPARAM lParam);
    MessageResult onMeasureItem(WPARAM wParam, LPARAM lParam);
    MessageResult onDrawItem(WPARAM wParam, LPARAM lParam);
    MessageResult onSystemCommand(WPARAM wParam, LPARAM lParam);
    MessageResult onClose(WPARAM wParam, LPARAM lParam);
    MessageResult onEndSession(WPARAM wParam, LPARAM lParam);
    MessageResult onTimer(WPARAM wParam, LPARAM lParam);
    void onCurrentFolderChanged();
    void showAboutBox();

    // The initialisation steps after the menu resource is loaded.
    void readCurrentFolder();
    void createFirstFolder();
    void registerLauncherHotkeyAtStart();

    // Folder settings window internals.
    int selectedFolder() const;  // the selected list line, or -1
    void revertToStandard(int index);
    // After a folder's set changed: the menu font, and the menus that show it.
    void followSettingsChange(const std::string& path);

    // Launcher menu internals.
    void measureItem(MEASUREITEMSTRUCT& item);
    void drawItem(const DRAWITEMSTRUCT& item);
    void onHotkey(int id);
    void popUpTrayCommandMenu(int x, int y);
    void onMenuSelect(WPARAM wParam);
    void setTrayIcon(HICON icon);
    void retryTrayIconLater();

    // Members in construction order.
    MultiRunWindow multiRunWindow;
    FontHandle menuFont;
    std::string targetFolderText;
    HWND folderListBox = nullptr;  // borrowed: the dialog's control 1004
    std::string currentFolder;
    IconHandle normalIcon;
    IconHandle busyIcon;
    MenuHandle trayCommandMenu;
    MenuHandle launcherMenu;
    std::vector<std::string> itemPaths;
    std::vector<std::string> itemTexts;
    std::vector<std::string> folderPaths;
    int fixedItemCount = 0;
    int rowsPerColumn = 1;
    ImageListHandle launcherImageList;
    HotkeyWord launcherHotkey = 0;
    int menuSelection = 0;
    SettingsChain settingsChain;
    bool settingsLoaded = false;
    LauncherSettings* activeSettings = nullptr;
    ParamPromptDialog paramPromptDialog;
    // The shell's "TaskbarCreated" message, and the wait before the next attempt to put the
    // tray icon up (0: none pending).
    UINT taskbarCreatedMessage = 0;
    UINT trayRetryDelay = 0;
};
