// A real main window, made and created as the program makes it, with its multiple-execution
// window: every Windows test that needs one builds it here. Message boxes are recorded, and the
// profile is cleared before and after each test.
#pragma once

#include "app/main_window_win.h"
#include "framework/handles_win.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Runs the action from inside the next menu loop, once its window is up, then closes the menu.
class InsideMenu {
public:
    explicit InsideMenu(std::function<void(HWND)> action);
    bool seen() const { return seen_; }

private:
    void actOnceTheMenuIsUp();
    bool seen_ = false;
    std::function<void(HWND)> action_;
    ThreadTimer timer_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes and creates the window with the profile as it stands (and, when asked, its
    // multiple-execution window, as the program does); false when it could not be created. The
    // boxes it showed stay recorded.
    bool start(bool withMultiRun = true);
    // Ends the window as the program does at exit.
    void stop();

    LauncherController& launcher() const { return window->launcher(); }
    const LauncherMenu& menu() const { return window->launcher().launcherMenu(); }
    int imageOf(int item) const { return menu().entries()[static_cast<std::size_t>(item)].image; }
    int overlayOf(int item) const { return menu().entries()[static_cast<std::size_t>(item)].overlay; }
    // The set in force for the current folder, for a test to change before rebuild().
    LauncherSettings& active();
    // The menus built again as after a change of the set in force.
    void rebuild() { launcher().requestRebuild(RebuildReason::settingChanged); }
    // The launcher menu alone built again, as the folder watch builds it.
    void buildMenu() { launcher().requestRebuild(RebuildReason::watch); }
    // Runs the window's own loop, its messages and the handles it waits on (the folder watch),
    // until the condition holds; false when the time ran out first.
    bool serveUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
    MessageResult send(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        return window->handleMessage(message, wParam, lParam);
    }

    // The program starts COM before its window; shortcuts and the shell need it too.
    ComInitialization com;
    MessageBoxRecorder boxes;
    std::unique_ptr<MainWindow> window;
};
