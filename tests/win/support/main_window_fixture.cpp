#include "tests/win/support/main_window_fixture.h"

#include "framework/application_win.h"

InsideMenu::InsideMenu(std::function<void(HWND)> action)
    : action_(std::move(action)), timer_(30, [this] { actOnceTheMenuIsUp(); })
{
}

void InsideMenu::actOnceTheMenuIsUp()
{
    HWND menu = FindWindowA("#32768", nullptr);
    if (seen_ || !menu || !IsWindowVisible(menu))
        return;
    seen_ = true;
    action_(menu);
    EndMenu();
}

bool MainWindowTest::serveUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        window->waits().waitForMessageOrSignal(50);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            Dialog::dispatchLoopMessage(message);
    }
    return true;
}

void MainWindowTest::SetUp()
{
    clearTestProfile();
}

void MainWindowTest::TearDown()
{
    stop();
    clearTestProfile();
}

bool MainWindowTest::start(bool withMultiRun)
{
    window = std::make_unique<MainWindow>(app::profile());
    if (!window->createModeless(nullptr))
        return false;
    if (withMultiRun && !window->multiRun().create(window->hwnd()))
        return false;
    return true;
}

void MainWindowTest::stop()
{
    if (!window)
        return;
    window->multiRun().destroyWindow();
    window->destroyWindow();
    app::setMainWindow(nullptr);
    window.reset();
}

LauncherSettings& MainWindowTest::active()
{
    return window->settingsChain().settingsFor(window->folderPage().currentFolder());
}
