// MainWindow's folder list and its face, the folder settings window: a real window created
// modeless, its buttons driven by messages, the profile really written, the tray command popup
// read in-process.
#include "tests/win/support/main_window_fixture.h"
#include "dialogs/hotkey_word.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "resources/resource.h"
#include "settings/profile_names.h"
#include "tests/win/support/hotkey_holder.h"
#include "tests/win/support/win_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>

namespace {

constexpr int fixedItems = 6;

struct MenuItem {
    UINT id;
    UINT type;
    bool checked;
    std::string text;
};

std::vector<MenuItem> menuItems(HMENU menu)
{
    std::vector<MenuItem> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[300] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({info.wID, info.fType, (info.fState & MFS_CHECKED) != 0, text});
    }
    return items;
}

class FolderSettingsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"a", "b", "ソース", "App.Box"}) {
            std::string path = root.file(name);
            CreateDirectoryA(path.c_str(), nullptr);
            folders.push_back(path);
        }
    }

    void storeFolders(const std::vector<std::string>& paths)
    {
        profile().writeInt("FolderList", "Number", static_cast<int>(paths.size()));
        for (std::size_t i = 0; i < paths.size(); ++i)
            profile().writeString("FolderList", folderValue(static_cast<int>(i)), paths[i]);
    }
    static std::string folderValue(int i) { return indexedName("AppFolder", i); }
    static ProfileStore& profile() { return app::profile(); }

    void start(const std::string& current)
    {
        profile().writeString("NowFolder", "AppFolder", current);
        ASSERT_TRUE(MainWindowTest::start(false));
        boxes.clear();
    }

    HWND list() const { return window->item(IDC_FOLDER_LIST); }
    int listCount() const { return static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0)); }
    std::string listLine(int i) const
    {
        char text[400] = {};
        SendMessageA(list(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        return text;
    }
    void select(int i) { SendMessageA(list(), LB_SETCURSEL, static_cast<WPARAM>(i), 0); }
    void press(int id) { SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::vector<MenuItem> folderItems() const
    {
        std::vector<MenuItem> items = menuItems(launcher().trayCommandMenu().popup());
        if (items.size() <= fixedItems)
            return {};
        EXPECT_TRUE(items[fixedItems].type & MFT_SEPARATOR);
        return std::vector<MenuItem>(items.begin() + fixedItems + 1, items.end());
    }
    std::string currentBox() const
    {
        char text[400] = {};
        GetDlgItemTextA(window->hwnd(), IDC_CURRENT_FOLDER, text, sizeof(text));
        return text;
    }

    TempFolder root{"フォルダ"};
    std::vector<std::string> folders;
};

TEST_F(FolderSettingsTest, TheTrayPopupListsEveryFolderAndChecksTheCurrentOne)
{
    storeFolders({folders[0], folders[3], "D:\\"});
    start(folders[3]);

    std::vector<MenuItem> all = menuItems(launcher().trayCommandMenu().popup());
    ASSERT_EQ(all.size(), static_cast<std::size_t>(fixedItems + 1 + 3));
    EXPECT_EQ(all[0].id, static_cast<UINT>(IDM_SHOW_FOLDER_SETTINGS));
    EXPECT_EQ(all[5].id, static_cast<UINT>(IDM_EXIT));
    std::vector<MenuItem> items = folderItems();
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].id, folderFirstId + i);
    EXPECT_EQ(items[0].text, "a");
    EXPECT_EQ(items[1].text, "App");
    EXPECT_EQ(items[2].text, "D:\\");
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
    EXPECT_FALSE(items[2].checked);

    EXPECT_EQ(listCount(), 3);
    EXPECT_EQ(listLine(1), folders[3]);
    EXPECT_EQ(window->folderList().paths(), (std::vector<std::string>{folders[0], folders[3], "D:\\"}));
    EXPECT_EQ(currentBox(), folders[3]);
    EXPECT_GT(SendMessageA(list(), LB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(FolderSettingsTest, WithoutFoldersThePopupHasOnlyItsFixedItems)
{
    start(folders[0]);
    EXPECT_EQ(GetMenuItemCount(launcher().trayCommandMenu().popup()), fixedItems);
    EXPECT_EQ(listCount(), 0);
}

TEST_F(FolderSettingsTest, ASmallRatioStartsAColumnAtEveryFolderItem)
{
    profile().writeInt("Detail", "DesktopRatio", 1);
    storeFolders({folders[0], folders[1], folders[2]});
    start(folders[0]);
    for (const MenuItem& item : folderItems())
        EXPECT_TRUE(item.type & MFT_MENUBARBREAK) << item.text;
}

TEST_F(FolderSettingsTest, DamagedFolderCountsAreBounded)
{
    profile().writeInt("FolderList", "Number", -3);
    start(folders[0]);
    EXPECT_EQ(GetMenuItemCount(launcher().trayCommandMenu().popup()), fixedItems);

    profile().writeInt("FolderList", "Number", 1000000);
    profile().writeString("FolderList", folderValue(0), folders[1]);
    launcher().requestRebuild(RebuildReason::folderListChanged);
    EXPECT_EQ(window->folderList().paths().size(), 99u);
    std::vector<MenuItem> items = folderItems();
    ASSERT_EQ(items.size(), 99u);
    EXPECT_EQ(items.back().id, folderFirstId + 98);
    EXPECT_EQ(items[0].text, "b");
    EXPECT_EQ(items[1].text, "");

    // A full list refuses more.
    window->folderPage().addFolder(folders[2]);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "これ以上追加できません");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 1000000);
}

TEST_F(FolderSettingsTest, AddAndDeleteKeepProfileListBoxAndPopupInStep)
{
    storeFolders({folders[0], folders[1], folders[2]});
    start(folders[0]);

    window->folderPage().addFolder(folders[3]);
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 4);
    EXPECT_EQ(profile().readString("FolderList", folderValue(3), ""), folders[3]);
    EXPECT_EQ(listCount(), 4);
    EXPECT_EQ(window->folderList().paths().size(), 4u);
    EXPECT_EQ(folderItems().size(), 3u);  // the popup follows at the next rebuild

    // Delete the current folder, the first of the list: it stays current, no item is checked,
    // and every later item takes the id of its new index.
    select(0);
    press(IDC_FOLDER_DELETE);
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 3);
    EXPECT_EQ(profile().readString("FolderList", folderValue(0), ""), folders[1]);
    EXPECT_EQ(profile().readString("FolderList", folderValue(1), ""), folders[2]);
    EXPECT_EQ(profile().readString("FolderList", folderValue(2), ""), folders[3]);
    EXPECT_EQ(profile().readString("FolderList", folderValue(3), "gone"), "gone");
    EXPECT_EQ(window->folderPage().currentFolder(), folders[0]);
    std::vector<MenuItem> items = folderItems();
    ASSERT_EQ(items.size(), 3u);
    const char* texts[] = {"b", "ソース", "App"};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, folderFirstId + i);
        EXPECT_EQ(items[i].text, texts[i]);
        EXPECT_FALSE(items[i].checked);
    }
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), 0);

    // Deleting the last line selects the new last one.
    select(2);
    press(IDC_FOLDER_DELETE);
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(listCount(), 2);
    EXPECT_EQ(folderItems().size(), 2u);

    // Without a selection nothing happens.
    select(-1);
    press(IDC_FOLDER_DELETE);
    EXPECT_EQ(listCount(), 2);

    select(0);
    press(IDC_FOLDER_DELETE);
    select(0);
    press(IDC_FOLDER_DELETE);
    EXPECT_EQ(profile().readInt("FolderList", "Number", -1), 0);
    EXPECT_EQ(profile().readString("FolderList", folderValue(0), "gone"), "gone");
    EXPECT_EQ(listCount(), 0);
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_FALSE(IsWindowEnabled(window->item(IDC_FOLDER_DELETE)));
    EXPECT_EQ(GetMenuItemCount(launcher().trayCommandMenu().popup()), fixedItems);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(FolderSettingsTest, DeletingOneOfTwoLinesOfAFolderKeepsItsOwnSettings)
{
    storeFolders({folders[1], folders[0], folders[1]});
    LauncherSettings own;
    own.Folder = folders[1];
    own.IconSize = 16;
    start(folders[0]);
    ASSERT_NE(window->settingsChain().addFolderSettings(own), nullptr);

    select(0);
    press(IDC_FOLDER_DELETE);
    ASSERT_NE(window->settingsChain().findFolderSettings(folders[1]), nullptr);

    // The last line of it takes its settings along.
    select(1);
    press(IDC_FOLDER_DELETE);
    EXPECT_EQ(window->settingsChain().findFolderSettings(folders[1]), nullptr);
}

TEST_F(FolderSettingsTest, AStartThatNeverReadTheFolderItemTextLeavesItStored)
{
    profile().writeString("NowFolder", "TargetFolder", "★ここ");
    {
        MainWindow never(profile());
        never.launcher().saveForSessionEnd();
    }
    EXPECT_EQ(profile().readString("NowFolder", "TargetFolder", ""), "★ここ");
}

TEST_F(FolderSettingsTest, ADropAddsTheFoldersAndReportsTheRest)
{
    start(folders[0]);
    std::string file = root.write("memo.txt");
    std::string longPath = "C:\\" + std::string(297, 'x');
    window->folderPage().dropFolders(makeDrop({file, folders[1], longPath}));
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 1);
    EXPECT_EQ(profile().readString("FolderList", folderValue(0), ""), folders[1]);
    EXPECT_EQ(listCount(), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, file + "\n" + longPath.substr(0, 259) +
                                         "(長すぎ)\n\n以上のファイルは追加されませんでした。\n"
                                         "追加できるのはディレクトリのみです。");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));

    // A folder whose name the code page cannot hold is refused by its name, not stored with "?".
    std::wstring korean = widePath(root.path()) + L"\\한국어";
    ASSERT_TRUE(CreateDirectoryW(korean.c_str(), nullptr));
    boxes.clear();
    window->folderPage().dropFolders(makeDrop(std::vector<std::wstring>{korean, widePath(folders[2])}));
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 2);
    EXPECT_EQ(profile().readString("FolderList", folderValue(1), ""), folders[2]);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].wideText.find(korean), std::wstring::npos);

    // With 99 folders every dropped folder meets the limit.
    std::vector<std::string> full(99, folders[0]);
    storeFolders(full);
    boxes.clear();
    window->folderPage().dropFolders(makeDrop({folders[1], folders[2], folders[3]}));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    for (const auto& box : boxes.boxes())
        EXPECT_EQ(box.text, "これ以上追加できません");
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 99);
}

TEST_F(FolderSettingsTest, SettingsGiveAFolderItsOwnSetAndCancelChangesNothing)
{
    storeFolders({folders[0], folders[1]});
    start(folders[0]);

    // Cancelled: nothing changes, not even the standard set.
    LauncherSettings standardBefore = window->settingsChain().standard();
    select(1);
    {
        NextDialog next([](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_STRINGS_NUMBER, "100");
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        press(IDC_FOLDER_DETAIL);
        EXPECT_TRUE(next.seen());
    }
    EXPECT_EQ(window->settingsChain().folderSetCount(), 0u);
    EXPECT_EQ(window->settingsChain().standard().StringsNumber, standardBefore.StringsNumber);
    EXPECT_EQ(listLine(1), folders[1]);

    // Confirmed for a folder that is not current: it owns a set now, marked in the list only.
    select(1);
    {
        NextDialog next([](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_STRINGS_NUMBER, "100");
            SendMessageA(GetDlgItem(dialog, IDC_MODE_ICON), BM_CLICK, 0, 0);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        press(IDC_FOLDER_DETAIL);
        EXPECT_TRUE(next.seen());
    }
    LauncherSettings* own = window->settingsChain().findFolderSettings(folders[1]);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->StringsNumber, 100);
    EXPECT_EQ(own->IconPrint, 1);
    EXPECT_EQ(own->Folder, folders[1]);
    EXPECT_EQ(listLine(1), "[*] " + folders[1]);
    EXPECT_EQ(folderItems()[1].text, "b");
    EXPECT_EQ(&active(), &window->settingsChain().standard());

    // Confirmed for the current folder: its new set is in force at once.
    select(0);
    {
        NextDialog next([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); });
        press(IDC_FOLDER_DETAIL);
    }
    LauncherSettings* current = window->settingsChain().findFolderSettings(folders[0]);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(&active(), current);

    // Standard for the other folder leaves the current folder's own set in force.
    select(1);
    press(IDC_FOLDER_STANDARD);
    EXPECT_EQ(window->settingsChain().findFolderSettings(folders[1]), nullptr);
    EXPECT_EQ(listLine(1), folders[1]);
    EXPECT_EQ(&active(), current);
    // And for the current folder the standard set is in force again.
    select(0);
    press(IDC_FOLDER_STANDARD);
    EXPECT_EQ(&active(), &window->settingsChain().standard());
    EXPECT_TRUE(boxes.boxes().empty());

    // Without a selection both buttons ask for one.
    select(-1);
    press(IDC_FOLDER_DETAIL);
    press(IDC_FOLDER_STANDARD);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.text, "フォルダーを選んでください");
        EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
}

TEST_F(FolderSettingsTest, DoneAndCancelHideTheWindowUnlessTheFolderIsGone)
{
    storeFolders({folders[0], folders[1]});
    start(folders[0]);
    window->folderPage().show();

    // Typing into the current-folder box is undone at once.
    SetDlgItemTextA(window->hwnd(), IDC_CURRENT_FOLDER, "C:\\elsewhere");
    EXPECT_EQ(currentBox(), folders[0]);

    press(IDOK);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(profile().readInt("Detail", "IconSize", 0), 32);  // saved

    window->folderPage().show();
    // Moved away, as a user moves a folder: the launcher's own watch keeps a removed folder in
    // being under Wine until the watch lets go, which it does only when it sees the folder gone.
    ASSERT_TRUE(MoveFileA(folders[0].c_str(), (folders[0] + "-moved").c_str()));
    press(IDOK);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    const std::string suffix = "\n対象のフォルダーは変更されません";
    const std::string& text = boxes.boxes()[0].text;
    ASSERT_GE(text.size(), suffix.size());
    EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix);
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(currentBox(), folders[0]);

    press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(window->folderPage().currentFolder(), folders[0]);
}

TEST_F(FolderSettingsTest, AddWithACancelledBrowserAddsNothingButEnablesDelete)
{
    storeFolders({folders[0]});
    start(folders[0]);
    EnableWindow(window->item(IDC_FOLDER_DELETE), FALSE);
    std::string title;
    {
        NextDialog next([&](HWND browser) {
            char text[200] = {};
            GetWindowTextA(browser, text, sizeof(text));
            title = text;
            SendMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        });
        press(IDC_FOLDER_ADD);
        EXPECT_TRUE(next.seen());
    }
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 1);
    EXPECT_TRUE(IsWindowEnabled(window->item(IDC_FOLDER_DELETE)));
    EXPECT_TRUE(boxes.boxes().empty());

    // Confirmed, the browser gives the folder it opened at: the current one.
    {
        NextDialog next([](HWND browser) { SendMessageA(browser, WM_COMMAND, IDOK, 0); });
        press(IDC_FOLDER_ADD);
    }
    EXPECT_EQ(profile().readInt("FolderList", "Number", 0), 2);
    EXPECT_EQ(profile().readString("FolderList", folderValue(1), ""), folders[0]);
    EXPECT_EQ(listCount(), 2);
}

class FolderHotkeyTest : public FolderSettingsTest {
protected:
    void giveHotkey(const std::string& folder, HotkeyWord word)
    {
        int n = profile().readInt("Detail", "Number", 0);
        std::string section = "Detail\\FolderSpecificDetail(0" + std::to_string(n) + ")";
        profile().writeString(section, "Folder", folder);
        profile().writeInt(section, "HoyKey", word);
        profile().writeInt("Detail", "Number", n + 1);
    }
    static bool registeredUnder(HWND window, int id, HotkeyWord word)
    {
        // Withdrawing answers whether the id was registered; put it back afterwards.
        if (!UnregisterHotKey(window, id))
            return false;
        HotkeyRegistration key = toRegistration(word);
        RegisterHotKey(window, id, key.modifiers, key.virtualKey);
        return true;
    }
};

TEST_F(FolderHotkeyTest, FolderHotkeysFollowTheirFolderWhenAnEarlierOneIsDeleted)
{
    const HotkeyWord third = 0x0600 | VK_F5, other = 0x0600 | VK_F6;
    storeFolders({folders[0], folders[1], folders[2]});
    giveHotkey(folders[2], third);
    giveHotkey(root.file("not-listed"), other);
    start(folders[0]);
    EXPECT_TRUE(registeredUnder(window->hwnd(), 2, third));
    // A set whose folder is not listed registers nothing.
    EXPECT_FALSE(hotkeyTaken(MOD_CONTROL | MOD_ALT, VK_F6));

    select(0);
    press(IDC_FOLDER_DELETE);
    EXPECT_FALSE(UnregisterHotKey(window->hwnd(), 2));
    EXPECT_TRUE(registeredUnder(window->hwnd(), 1, third));
    EXPECT_EQ(window->folderList().paths()[1], folders[2]);

    // Deleting the folder with the hot key withdraws it.
    select(1);
    press(IDC_FOLDER_DELETE);
    EXPECT_FALSE(hotkeyTaken(MOD_CONTROL | MOD_ALT, VK_F5));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(FolderHotkeyTest, TheSecondFolderWithTheSameKeyIsReportedUnderItsPath)
{
    const HotkeyWord word = 0x0600 | VK_F4;
    storeFolders({folders[0], folders[1]});
    giveHotkey(folders[0], word);
    giveHotkey(folders[1], word);
    profile().writeString("NowFolder", "AppFolder", folders[0]);
    window = std::make_unique<MainWindow>(profile());
    ASSERT_TRUE(window->createModeless(nullptr));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "ホットキーの設定に失敗");
    EXPECT_EQ(boxes.boxes()[0].caption, folders[1]);
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, 0u);
    EXPECT_EQ(boxes.boxes()[1].caption, folders[1]);
    EXPECT_EQ(boxes.boxes()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_TRUE(registeredUnder(window->hwnd(), 0, word));
}

TEST_F(FolderHotkeyTest, TheLauncherHotkeyDialogRegistersStoresAndWithdraws)
{
    const HotkeyWord word = 0x0300 | 'K';  // Ctrl+Shift+K
    start(folders[0]);
    auto choose = [&](std::function<void(HWND)> action) {
        NextDialog next([&](HWND dialog) {
            action(dialog);
            // An ended dialog is hidden until its loop has gone.
            if (IsWindowVisible(dialog))
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(window->hwnd(), WM_COMMAND, IDM_HOTKEY_SETTINGS, 0);
        EXPECT_TRUE(next.seen());
    };

    choose([&](HWND dialog) {
        char title[64] = {};
        GetWindowTextA(dialog, title, sizeof(title));
        EXPECT_STREQ(title, "HOTKEYの設定");
        SendMessageA(GetDlgItem(dialog, IDC_HOTKEY), HKM_SETHOTKEY, word, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(window->launcherHotkey(), word);
    EXPECT_EQ(profile().readInt("NowFolder", "HoyKey", 0), word);
    EXPECT_TRUE(registeredUnder(window->hwnd(), mainHotkeyId, word));

    // DELETE acts at once; CANCEL then keeps the stored value.
    choose([&](HWND dialog) {
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_HOTKEY), HKM_GETHOTKEY, 0, 0), word);
        SendMessageA(dialog, WM_COMMAND, IDC_HOTKEY_DELETE, 0);
    });
    EXPECT_FALSE(UnregisterHotKey(window->hwnd(), mainHotkeyId));
    EXPECT_EQ(profile().readInt("NowFolder", "HoyKey", 0), word);
    EXPECT_EQ(window->launcherHotkey(), word);
    // The dialog shows the stored key again; OK on it makes it work again.
    choose([&](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_TRUE(registeredUnder(window->hwnd(), mainHotkeyId, word));

    // A key another program holds: both boxes of the program, and the key is kept all the same.
    const HotkeyWord taken = 0x0600 | VK_F3;
    HotkeyRegistration key = toRegistration(taken);
    HotkeyHolder holder(key.modifiers, key.virtualKey);
    ASSERT_TRUE(holder.holding());
    choose([&](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_HOTKEY), HKM_SETHOTKEY, taken, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "ホットキーの設定に失敗");
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.caption, "Quintarel");
        EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(window->launcherHotkey(), taken);
    EXPECT_EQ(profile().readInt("NowFolder", "HoyKey", 0), taken);

    // DELETE and OK withdraw the key and store 0.
    choose([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDC_HOTKEY_DELETE, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(profile().readInt("NowFolder", "HoyKey", -1), 0);
    EXPECT_EQ(window->launcherHotkey(), 0);
}

}  // namespace
