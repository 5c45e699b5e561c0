// The folder list as stored, the drop report, the folder items of the tray popup and the rules
// of the detail settings dialog.
#include "dialogs/detail_settings.h"
#include "launcher/folder_menu.h"
#include "settings/folder_list.h"
#include "tests/support/memory_profile.h"

#include <gtest/gtest.h>

namespace {

const char list[] = "FolderList";

void storeFolders(MemoryProfile& profile, const std::vector<std::string>& paths)
{
    profile.writeInt(list, "Number", static_cast<int>(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "AppFolder(%02d)", static_cast<int>(i));
        profile.writeString(list, name, paths[i]);
    }
}

TEST(FolderList, DeletingTheFirstOfThreeRenumbersTheRest)
{
    MemoryProfile profile;
    storeFolders(profile, {"C:\\a", "C:\\b", "C:\\c"});
    std::vector<std::string> paths = readFolderList(profile);

    ASSERT_TRUE(removeFolder(profile, paths, 0));
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\b", "C:\\c"}));
    EXPECT_EQ(profile.readInt(list, "Number", -1), 2);
    EXPECT_EQ(profile.readString(list, "AppFolder(00)", ""), "C:\\b");
    EXPECT_EQ(profile.readString(list, "AppFolder(01)", ""), "C:\\c");
    EXPECT_FALSE(profile.hasValue(list, "AppFolder(02)"));
    EXPECT_EQ(readFolderList(profile), paths);
}

TEST(FolderList, DeletingTheOnlyFolderLeavesAnEmptyList)
{
    MemoryProfile profile;
    storeFolders(profile, {"C:\\only"});
    std::vector<std::string> paths = readFolderList(profile);
    ASSERT_TRUE(removeFolder(profile, paths, 0));
    EXPECT_TRUE(paths.empty());
    EXPECT_EQ(profile.readInt(list, "Number", -1), 0);
    EXPECT_FALSE(profile.hasValue(list, "AppFolder(00)"));

    // An index outside the list changes nothing.
    std::size_t writes = profile.writes;
    EXPECT_FALSE(removeFolder(profile, paths, 0));
    paths = {"C:\\x"};
    EXPECT_FALSE(removeFolder(profile, paths, 1));
    EXPECT_FALSE(removeFolder(profile, paths, -1));
    EXPECT_EQ(profile.writes, writes);
}

TEST(FolderList, HoldsAtMostNinetyNineFolders)
{
    MemoryProfile profile;
    for (int i = 0; i < 98; ++i)
        ASSERT_TRUE(appendFolder(profile, "C:\\f" + std::to_string(i)));
    // The same path twice is listed twice.
    ASSERT_TRUE(appendFolder(profile, "C:\\f0"));
    EXPECT_EQ(profile.readString(list, "AppFolder(98)", ""), "C:\\f0");
    EXPECT_EQ(profile.readInt(list, "Number", 0), 99);

    std::size_t writes = profile.writes;
    EXPECT_FALSE(appendFolder(profile, "C:\\one-too-many"));
    EXPECT_EQ(profile.writes, writes);
    EXPECT_EQ(readFolderList(profile).size(), 99u);
}

TEST(FolderList, DamagedCountsAreBounded)
{
    MemoryProfile profile;
    EXPECT_TRUE(readFolderList(profile).empty());

    profile.writeInt(list, "Number", -7);
    EXPECT_EQ(readFolderCount(profile), 0);
    // A negative count behaves as an empty list: the next folder becomes AppFolder(00).
    ASSERT_TRUE(appendFolder(profile, "C:\\new"));
    EXPECT_EQ(profile.readInt(list, "Number", 0), 1);
    EXPECT_EQ(profile.readString(list, "AppFolder(00)", ""), "C:\\new");

    profile.writeInt(list, "Number", 0x7FFFFFFF);
    EXPECT_EQ(readFolderCount(profile), maxFolders);
    std::vector<std::string> paths = readFolderList(profile);
    ASSERT_EQ(paths.size(), 99u);
    EXPECT_EQ(paths[0], "C:\\new");
    EXPECT_EQ(paths[98], "");  // missing values read as empty paths
    EXPECT_FALSE(appendFolder(profile, "C:\\more"));

    // Deleting from such a list writes a count the list can hold.
    ASSERT_TRUE(removeFolder(profile, paths, 0));
    EXPECT_EQ(profile.readInt(list, "Number", 0), 98);
}

TEST(DropReport, ListsWhatWasNotAddedThenTheClosingSentences)
{
    DropReport report;
    EXPECT_TRUE(report.empty());
    EXPECT_EQ(report.text(), "");

    std::string longPath = "C:\\" + std::string(297, 'x');
    ASSERT_EQ(longPath.size(), 300u);
    EXPECT_TRUE(DropReport::isTooLong(longPath));
    EXPECT_FALSE(DropReport::isTooLong(std::string(259, 'y')));

    report.addNotFolder("C:\\memo.txt");
    report.addTooLong(longPath);
    EXPECT_EQ(report.text(), "C:\\memo.txt\n" + longPath.substr(0, 259) +
                                 "(長すぎ)\n\n以上のファイルは追加されませんでした。\n"
                                 "追加できるのはディレクトリのみです。");
}

TEST(DropReport, TheCutOfALongPathKeepsDoubleByteCharactersWhole)
{
    // 258 single bytes and then ソ (0x83 0x5C): cutting at 259 bytes would leave its lead byte.
    std::string path = std::string(258, 'a') + "ソソ";
    DropReport report;
    report.addTooLong(path);
    EXPECT_EQ(report.text().substr(0, 258 + std::string("(長すぎ)\n").size()),
              std::string(258, 'a') + "(長すぎ)\n");
}

TEST(FolderMenu, ItemTextIsTheLastNameWithoutItsExtension)
{
    EXPECT_EQ(folderItemText("C:\\Tools\\App.Box"), "App");
    EXPECT_EQ(folderItemText("C:\\Tools\\archive.tar.gz"), "archive.tar");
    EXPECT_EQ(folderItemText("D:\\"), "D:\\");
    EXPECT_EQ(folderItemText("C:\\Tools\\"), "C:\\Tools\\");
    EXPECT_EQ(folderItemText("\\\\server\\share"), "share");
    // ソ ends in 0x5C, which is no separator here.
    EXPECT_EQ(folderItemText("C:\\ソフト\\ソース"), "ソース");
    EXPECT_EQ(folderItemText(""), "");

    EXPECT_EQ(folderListLine("C:\\a", true), "[*] C:\\a");
    EXPECT_EQ(folderListLine("C:\\a", false), "C:\\a");
}

TEST(FolderMenu, ColumnRowsComeFromTheRatioOfTheDesktop)
{
    EXPECT_EQ(folderMenuRows(100, 768, 12), 64);
    EXPECT_EQ(folderMenuRows(50, 768, 12), 32);
    // 1 % of a 768 pixel desktop is 7 pixels: less than one line of 12 pixels.
    EXPECT_EQ(folderMenuRows(1, 768, 12), 1);
    // A font height of 0 and ratios the dialog never gives still leave a usable count.
    EXPECT_EQ(folderMenuRows(100, 768, 0), 768);
    EXPECT_EQ(folderMenuRows(-50, 768, 12), 1);
    EXPECT_EQ(folderMenuRows(0x7FFFFFFF, 0x7FFFFFFF, 1), 0x7FFFFFFF);

    // With rows 10 and six fixed items, folder i sits at position i + 7.
    std::vector<int> breaks;
    for (int folder = 0; folder < 20; ++folder)
        if (startsNewColumn(folder + 7, 10))
            breaks.push_back(folder);
    EXPECT_EQ(breaks, (std::vector<int>{3, 13}));
    EXPECT_FALSE(startsNewColumn(0, 1));
    EXPECT_TRUE(startsNewColumn(7, 1));
}

TEST(DetailSettings, WidthOutsideItsLimitsIsCorrectedWithAMessage)
{
    std::uint32_t width = 0;
    EXPECT_EQ(correctWidth(width),
              "ファイル名の最小表示幅(1)を下回っています、最大表示幅は 1 になります");
    EXPECT_EQ(width, 1u);
    width = 261;
    EXPECT_EQ(correctWidth(width),
              "ファイル名の最大表示幅(260)を超えています、最大表示幅は 260 になります");
    EXPECT_EQ(width, 260u);
    for (std::uint32_t fine : {1u, 100u, 260u}) {
        width = fine;
        EXPECT_EQ(correctWidth(width), "");
        EXPECT_EQ(width, fine);
    }
}

TEST(DetailSettings, EnabledStatesFollowTheDisplayMode)
{
    DetailEnabledStates iconOnly = enabledStatesFor(1);
    EXPECT_FALSE(iconOnly.extensions);
    EXPECT_FALSE(iconOnly.width);
    EXPECT_FALSE(iconOnly.fontButtons);
    EXPECT_TRUE(iconOnly.iconSize);

    DetailEnabledStates nameOnly = enabledStatesFor(0);
    EXPECT_TRUE(nameOnly.extensions && nameOnly.width && nameOnly.fontButtons);
    EXPECT_FALSE(nameOnly.iconSize);

    for (int mode : {2, -1}) {
        DetailEnabledStates all = enabledStatesFor(mode);
        EXPECT_TRUE(all.extensions && all.width && all.fontButtons && all.iconSize) << mode;
    }
}

TEST(DetailSettings, HandBackKeepsTheFolderAndMakesChecksBooleans)
{
    LauncherSettings set;
    set.Folder = "C:\\mine";
    set.IconSize = 16;
    set.StringsNumber = 300;
    DetailValues values = detailValuesOf(set);
    EXPECT_EQ(values.StringsNumber, 300u);
    values.PrintEnt = 2;  // an indeterminate check box
    values.PrintMyself = 0;
    values.FolderMenu = 1;
    values.displayMode = 1;
    values.HoyKey = 0x0651;
    values.StringsNumber = 1;
    handBack(values, set);
    EXPECT_EQ(set.Folder, "C:\\mine");
    EXPECT_TRUE(set.PrintEnt);
    EXPECT_FALSE(set.PrintMyself);
    EXPECT_TRUE(set.FolderMenu);
    EXPECT_EQ(set.IconPrint, 1);
    EXPECT_EQ(set.IconSize, 16);
    EXPECT_EQ(set.HoyKey, 0x0651);
    EXPECT_EQ(set.StringsNumber, 1);
}

TEST(DetailSettings, TitleAndFolderHotkeyDecision)
{
    EXPECT_EQ(detailTitle(false, "C:\\ignored"), "詳細設定(標準設定)");
    EXPECT_EQ(detailTitle(true, "C:\\ソフト"), "詳細設定(C:\\ソフト)");

    EXPECT_EQ(folderHotkeyChange(0, 0x0651), FolderHotkeyChange::withdraw);
    EXPECT_EQ(folderHotkeyChange(0, 0), FolderHotkeyChange::withdraw);
    EXPECT_EQ(folderHotkeyChange(0x0651, 0x0651), FolderHotkeyChange::keep);
    EXPECT_EQ(folderHotkeyChange(0x0652, 0x0651), FolderHotkeyChange::registerChosen);
}

}  // namespace
