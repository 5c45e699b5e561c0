#include "tests/win/support/main_window_fixture.h"

#include "framework/application_win.h"

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
