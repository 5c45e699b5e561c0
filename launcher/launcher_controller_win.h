// The launcher as a part of the main window: the launcher menu and the tray's command popup,
// the watch on the current folder, popping them up (from the tray, from hot keys) and the
// sequencing around an open popup, the menu's keyboard, and launching the chosen entry.
#pragma once

#include "framework/dialog_win.h"
#include "launcher/folder_menu_win.h"
#include "launcher/folder_watch_win.h"
#include "launcher/launcher_menu_win.h"
#include "launcher/param_prompt_win.h"
#include "settings/folder_list.h"
#include "settings/menu_rebuild.h"

#include <functional>
#include <string>

class FolderSettingsPage;
class HotkeyRegistrations;
class NowFolder;
class SettingsChain;
class TrayIcon;

class LauncherController final : public WindowPart, public RebuildRequests,
                                 private FolderListListener {
public:
    // What the space bar collects from the menu: an entry's path and, for a name the code page
    // cannot hold, its real path.
    using Collect = std::function<void(const std::string& path, const std::u16string& realPath)>;

    LauncherController(Dialog& window, TrayIcon& tray, NowFolder& nowFolder,
                       FolderList& folders, SettingsChain& settings,
                       HotkeyRegistrations& hotkeys, FolderSettingsPage& folderPage,
                       Collect collect);
    ~LauncherController() override;

    // Loads the tray's command popup and reads the folder item's text; false when the popup's
    // resource is missing.
    bool start();
    // The watch ends and the window's count of builds goes, before the window does.
    void stop();
    // What exit writes of the launcher's: the folder item's text, once it was read.
    void saveForSessionEnd();

    // Builds what the reason asks for now, or, while a popup is on screen, once it has closed:
    // its items would otherwise stand for other files than those the user sees.
    void requestRebuild(RebuildReason reason) override;

    // The design's names, for reading the code against it and for the tests.
    const LauncherMenu& launcherMenu() const { return launcherMenu_; }
    const TrayCommandMenu& trayCommandMenu() const { return trayCommandMenu_; }
    const LauncherSettings& settingsInForce() const { return *settingsInForce_; }
    ParamPromptDialog& paramPrompt() { return paramPrompt_; }
    const FolderWatch& watch() const { return folderWatch_; }
    UINT_PTR menuBuilds() const { return menuBuilds_; }

    MessageResult partProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    MessageMap messageMap() const override;

    // Handlers of the map.
    MessageResult answerTrayClick(WPARAM wParam, LPARAM lParam);
    MessageResult popUpAtHotkey(WPARAM wParam, LPARAM lParam);
    MessageResult measureLauncherItem(WPARAM wParam, LPARAM lParam);
    MessageResult drawLauncherItem(WPARAM wParam, LPARAM lParam);
    MessageResult fillSubMenu(WPARAM wParam, LPARAM lParam);
    MessageResult bringPictures(WPARAM timerId, LPARAM lParam);
    MessageResult followHighlight(WPARAM wParam, LPARAM lParam);
    MessageResult answerTypedKey(WPARAM wParam, LPARAM lParam);
    MessageResult swallowWheel(WPARAM wParam, LPARAM lParam);
    MessageResult followDisplayChange(WPARAM wParam, LPARAM lParam);
    MessageResult followSettingChange(WPARAM wParam, LPARAM lParam);
    MessageResult followThemeChange(WPARAM wParam, LPARAM lParam);
    void refreshOnRequest();

    // The popups, and what was asked for while one was on screen.
    void popUpLauncherMenu(int x, int y, UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);
    void popUpTrayCommandMenu(int x, int y);
    void popUpForHotkey(int id);
    void runDeferred();

    // The steps of a rebuild, in this order.
    void rebuild(const RebuildPlan& plan);
    void chooseSettingsInForce();
    // The system keeps the item sizes it once measured: before the menu pops up on a monitor of
    // another DPI or height than the one it was built for, and when a monitor's scale or size
    // changes, it is built again for the monitor under the pointer.
    void fitLauncherMenuToPointer();
    void catchUpWithFolder();
    void buildLauncherMenuFor(const MenuTarget& target, bool reuse = false);

    bool forLauncherMenu(LPARAM menu) const;
    bool routeCommand(WPARAM wParam);
    void launchEntry(unsigned id);
    // In front of the dialog's ANSI procedure: the menu's typed characters in UTF-16, before it
    // would turn a character the code page cannot hold into "?", and the owner-drawn items,
    // which the dialog's default procedure would cost two round trips to the system each.
    static LRESULT CALLBACK answerBeforeDialog(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    void folderAppended(const std::string&) override {}
    void folderRemoved(int index, int countBefore) override;
    void folderListReloaded() override;

    TrayIcon& tray_;
    NowFolder& nowFolder_;
    FolderList& folders_;
    SettingsChain& settings_;
    HotkeyRegistrations& hotkeys_;
    FolderSettingsPage& folderPage_;
    Collect collect_;
    const LauncherSettings* settingsInForce_;

    LauncherMenu launcherMenu_;
    TrayCommandMenu trayCommandMenu_;
    FolderWatch folderWatch_;
    ParamPromptDialog paramPrompt_;
    std::string folderItemText_;
    // Written back at exit only when read: a start-up that stopped early must not blank it.
    bool folderItemTextRead_ = false;

    bool menuOnScreen_ = false;
    RebuildPlan deferredPlan_;
    // A hot key pressed while a popup is on screen, handled once it has closed (-1: none).
    int deferredHotkey_ = -1;
    // Posted after a popup closed, behind the command the popup posted.
    UINT deferredMessage_;
    // The number of menu builds as a property of the window, readable from other processes.
    const char* buildsProperty_;
    UINT_PTR menuBuilds_ = 0;
    UINT_PTR pictureTimerId_;
    // The dialog's own (ANSI) window procedure, which the wide one in front of it hands on to.
    WNDPROC ansiProcedure_ = nullptr;
    // The first half of a typed character outside the basic plane, until its second comes.
    wchar_t highSurrogate_ = 0;
};
