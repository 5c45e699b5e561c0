// The launcher menu follows its folder: the watch of a real main window against real folders,
// its message loop run here as the program runs it.
#include "tests/win/support/main_window_fixture.h"

#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "launcher/folder_menu_win.h"
#include "launcher/tray_icon_win.h"
#include "resources/resource.h"

#include <dbt.h>

#include <algorithm>

namespace {

class FolderWatchTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        folder = root.file("棚");
        CreateDirectoryA(folder.c_str(), nullptr);
        writeIn("a.txt");
        app::profile().writeString("NowFolder", "AppFolder", folder);
        ASSERT_TRUE(start());
    }

    void writeIn(const std::string& name, const std::string& bytes = "x")
    {
        std::string path = folder + "\\" + name;
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    bool listed(const std::string& name) const
    {
        auto paths = menu().itemPaths();
        return std::find(paths.begin(), paths.end(), folder + "\\" + name) != paths.end();
    }
    // The paths of the menu as it is popped up from the tray.
    std::vector<std::string> pathsAtPopup()
    {
        std::vector<std::string> shown;
        InsideMenu inside([&](HWND) { shown = menu().itemPaths(); });
        send(TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
        EXPECT_TRUE(inside.seen());
        return shown;
    }
    bool shownAtPopup(const std::string& name)
    {
        auto shown = pathsAtPopup();
        return std::find(shown.begin(), shown.end(), folder + "\\" + name) != shown.end();
    }

    TempFolder root{"q見張り"};
    std::string folder;
};

TEST_F(FolderWatchTest, NewAndRewrittenEntriesRebuildTheMenu)
{
    writeIn("b.txt");
    EXPECT_TRUE(serveUntil([&] { return listed("b.txt"); }));

    // Rewritten in place, as an updater replaces a program: the same name, a new write time.
    UINT_PTR before = launcher().menuBuilds();
    writeIn("a.txt", "rewritten");
    EXPECT_TRUE(serveUntil([&] { return launcher().menuBuilds() > before; }));
}

TEST_F(FolderWatchTest, AFolderMadeAgainUnderItsNameIsWatchedAfterARefresh)
{
    ASSERT_TRUE(MoveFileA(folder.c_str(), (folder + ".old").c_str()));
    CreateDirectoryA(folder.c_str(), nullptr);
    writeIn("c.txt");
    send(WM_COMMAND, MAKEWPARAM(IDM_MENU_UPDATE, 0), 0);
    ASSERT_TRUE(listed("c.txt"));

    // The new folder is the one watched, not the one renamed away.
    writeIn("d.txt");
    EXPECT_TRUE(serveUntil([&] { return listed("d.txt"); }));
    removeTree(folder + ".old");
}

TEST_F(FolderWatchTest, APopupShowsChangesNoLoopWaitedFor)
{
    // As under a modal dialog: the change comes, and nobody waits on the watch.
    writeIn("e.txt");
    ASSERT_FALSE(listed("e.txt"));
    EXPECT_TRUE(shownAtPopup("e.txt"));
}

TEST_F(FolderWatchTest, AFolderMadeAgainOrBackIsWatchedAndBuiltAtTheNextPopup)
{
    // Moved away, as a stick is pulled or a folder recycled: while it is gone the menu stays
    // as it was. (Wine keeps a deleted folder in being while a handle of it is open.)
    ASSERT_TRUE(MoveFileA(folder.c_str(), (folder + ".away").c_str()));
    EXPECT_TRUE(shownAtPopup("a.txt"));
    EXPECT_FALSE(launcher().watch().isWatching());

    CreateDirectoryA(folder.c_str(), nullptr);
    writeIn("f.txt");
    EXPECT_TRUE(shownAtPopup("f.txt"));
    EXPECT_TRUE(launcher().watch().isWatching());
    removeTree(folder + ".away");
}

TEST_F(FolderWatchTest, ATrayClickInsideAnOpenPopupLeavesItsMenuInPlace)
{
    HMENU shownMenu = nullptr;
    HMENU menuAfterRebuild = nullptr;
    InsideMenu inside([&](HWND) {
        shownMenu = menu().handle();
        send(TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
        // A rebuild asked for meanwhile must still wait for this popup to close.
        launcher().requestRebuild(RebuildReason::watch);
        menuAfterRebuild = menu().handle();
    });
    send(TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(inside.seen());
    EXPECT_EQ(menuAfterRebuild, shownMenu);
}

TEST_F(FolderWatchTest, AChangeThatNeverRestsIsStillToldWithinTheLongestWait)
{
    // A long copy: the folder changes again well within every quiet time, without end.
    int written = 0;
    ThreadTimer copying(FolderWatch::quietMs / 4,
                        [&] { writeIn("copy.tmp", std::to_string(++written)); });
    UINT_PTR before = launcher().menuBuilds();
    EXPECT_TRUE(serveUntil([&] { return launcher().menuBuilds() > before; },
                           4 * FolderWatch::longestWaitMs));
}

TEST_F(FolderWatchTest, ASwitchWhileAChangeSettlesLeavesNothingOfTheOldFolderPending)
{
    std::string other = root.file("箱");
    CreateDirectoryA(other.c_str(), nullptr);
    window->folderPage().addFolder(folder);
    window->folderPage().addFolder(other);
    writeIn("g.txt");
    ASSERT_TRUE(serveUntil([&] { return launcher().watch().settling(); }));
    send(WM_COMMAND, MAKEWPARAM(folderFirstId + 1, 0), 0);
    ASSERT_EQ(launcher().watch().folder(), other);
    UINT_PTR afterSwitch = launcher().menuBuilds();

    // A timer of this thread set for later than the old quiet time fires after it would have.
    bool later = false;
    ThreadTimer pause(2 * FolderWatch::quietMs, [&] { later = true; });
    ASSERT_TRUE(serveUntil([&] { return later; }));
    EXPECT_EQ(launcher().menuBuilds(), afterSwitch);
    EXPECT_FALSE(launcher().watch().settling());

    std::string path = other + "\\h.txt";
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    file.reset();
    EXPECT_TRUE(serveUntil([&] { return menu().itemPaths().front() == path; }));
}

TEST_F(FolderWatchTest, AVolumeAskedToGoIsLetGoAndWatchedAgainWhenItStays)
{
    HDEVNOTIFY asked = launcher().watch().removalNotice();
    if (!asked)
        GTEST_SKIP() << "no removal notices for handles here";
    // What the system sends about the watched folder's volume.
    DEV_BROADCAST_HANDLE notice{};
    notice.dbch_size = sizeof(notice);
    notice.dbch_devicetype = DBT_DEVTYP_HANDLE;
    notice.dbch_hdevnotify = asked;
    auto tell = [&](WPARAM event) {
        return send(WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice));
    };
    EXPECT_EQ(tell(DBT_DEVICEQUERYREMOVE).value, TRUE);
    EXPECT_FALSE(launcher().watch().isWatching());

    tell(DBT_DEVICEQUERYREMOVEFAILED);
    EXPECT_TRUE(launcher().watch().isWatching());
    writeIn("g.txt");
    EXPECT_TRUE(serveUntil([&] { return listed("g.txt"); }));
}

}  // namespace
