// The launcher where daily use gets rough, against the real shell, registry and window manager:
// a taskbar that loses its icons and a start on a damaged profile.
#include "tests/win/support/main_window_fixture.h"

#include "common/path_text.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "launcher/tray_icon_win.h"
#include "settings/folder_list.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>


namespace {

NOTIFYICONDATAA iconOf(HWND window)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = TrayIcon::iconId;
    return data;
}

// A change of nothing: the taskbar answers whether it holds the icon.
bool taskbarHolds(HWND window)
{
    NOTIFYICONDATAA data = iconOf(window);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// What a restarting taskbar does to the icons of the running programs.
void taskbarLoses(HWND window)
{
    NOTIFYICONDATAA data = iconOf(window);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

class SoundnessTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        folder.write("alpha.txt");
        folder.write("beta.txt");
        app::profile().writeString("NowFolder", "AppFolder", folder.path());
    }

    void start() { ASSERT_TRUE(MainWindowTest::start()); }

    TempFolder folder{"q健全"};
};

TEST_F(SoundnessTest, TheIconComesBackWithItsIconAndTipWhenTheTaskbarDoes)
{
    start();
    HWND main = window->hwnd();
    ASSERT_TRUE(taskbarHolds(main));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    HICON icon = window->tray().icon();
    std::string tip = window->tray().tip();
    EXPECT_EQ(tip, lastComponent(folder.path()));

    taskbarLoses(main);
    ASSERT_FALSE(taskbarHolds(main));
    SendMessageA(main, taskbarCreated, 0, 0);
    EXPECT_TRUE(taskbarHolds(main));
    EXPECT_EQ(window->tray().icon(), icon);
    EXPECT_EQ(window->tray().tip(), tip);
    EXPECT_FALSE(window->tray().retryPending());

    // The message while the icon is up leaves one icon: a single removal takes it away.
    SendMessageA(main, taskbarCreated, 0, 0);
    EXPECT_FALSE(window->tray().retryPending());
    taskbarLoses(main);
    EXPECT_FALSE(taskbarHolds(main));

    // The retry timer puts it up the same way.
    SendMessageA(main, WM_TIMER, 1, 0);
    EXPECT_TRUE(taskbarHolds(main));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(SoundnessTest, ADamagedProfileStartsWithSaneSettingsAMenuAndNoMessage)
{
    ProfileStore& profile = app::profile();
    const DWORD big = 0x7FFFFFFF;
    const unsigned long long quad = 5;
    writeRawProfileValue("Detail", "IconSize", REG_QWORD, &quad, sizeof(quad));
    writeRawProfileValue("Detail", "IconPrint", REG_BINARY, &big, sizeof(big));
    writeRawProfileValue("Detail", "FontData", REG_MULTI_SZ, "ab\0cd\0", 7);
    profile.writeInt("Detail", "DesktopRatio", -1);
    profile.writeInt("Detail", "StringsNumber", static_cast<std::int32_t>(big));
    profile.writeInt("Detail", "Number", -7);
    profile.writeString("NowFolder", "HoyKey", "Ctrl+Q");
    profile.writeInt("NowFolder", "TargetFolder", 3);
    profile.writeInt("FolderList", "Number", static_cast<std::int32_t>(big));
    profile.writeString("FolderList", "AppFolder(00)", folder.path());
    profile.writeString("MultipleLaunch", "HoyKey", "F1");
    profile.writeInt("MultipleLaunch\\OnWakeup", "Number", static_cast<std::int32_t>(big));
    profile.writeString("MultipleLaunch\\OnWakeup", "000", std::string(5000, 'x'));

    start();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(taskbarHolds(window->hwnd()));
    const LauncherSettings& set = active();
    EXPECT_EQ(set.IconSize, 32);
    EXPECT_EQ(set.IconPrint, 2);
    EXPECT_EQ(set.DesktopRatio, 100);
    EXPECT_EQ(set.StringsNumber, 260);
    EXPECT_EQ(window->settingsChain().folderSetCount(), 0u);
    EXPECT_EQ(window->launcherHotkey(), 0);
    EXPECT_EQ(window->multiRun().hotkey(), 0);
    EXPECT_TRUE(window->multiRun().wakeupListsToRun().empty());
    EXPECT_EQ(window->folderList().paths().size(), static_cast<std::size_t>(maxFolders));
    // Both entries and the folder item, named by the default text.
    ASSERT_EQ(menu().itemTexts().size(), 3u);
    EXPECT_EQ(menu().itemTexts()[2], ":☆フォルダ☆");
    EXPECT_EQ(GetMenuItemCount(menu().handle()), 3);
}

}  // namespace
