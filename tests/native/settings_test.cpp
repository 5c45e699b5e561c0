#include "framework/profile_store.h"
#include "settings/font_data.h"
#include "settings/menu_rebuild.h"
#include "settings/profile_layout.h"
#include "settings/profile_names.h"
#include "settings/settings_chain.h"
#include "tests/support/memory_profile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

SystemLook testLook()
{
    SystemLook look;
    look.menuTextColor = 0x000000;
    look.menuColor = 0xF0F0F0;
    look.menuFont.lfHeight = -12;
    std::strcpy(look.menuFont.lfFaceName, "Menu Font");
    return look;
}

LauncherSettings folderSet(const std::string& folder)
{
    LauncherSettings set = folderDefaults(testLook());
    set.Folder = folder;
    return set;
}

const std::string folderSection0 = "Detail\\FolderSpecificDetail(00)";

TEST(SettingsChain, FindsOnlyExactFolderSets)
{
    SettingsChain chain;
    chain.standard() = standardDefaults(testLook());
    ASSERT_NE(chain.addFolderSettings(folderSet("C:\\Apps")), nullptr);
    ASSERT_NE(chain.addFolderSettings(folderSet("C:\\Apps")), nullptr);

    EXPECT_EQ(chain.findFolderSettings("c:\\apps"), nullptr);
    EXPECT_EQ(chain.findFolderSettings("標準の詳細設定"), nullptr);
    LauncherSettings* first = chain.findFolderSettings("C:\\Apps");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(&chain.settingsFor("C:\\Apps"), first);
    EXPECT_EQ(&chain.settingsFor("D:\\"), &chain.standard());

    EXPECT_TRUE(chain.removeFolderSettings("C:\\Apps"));
    EXPECT_EQ(chain.folderSetCount(), 1u);
    EXPECT_TRUE(chain.removeFolderSettings("C:\\Apps"));
    EXPECT_FALSE(chain.removeFolderSettings("C:\\Apps"));
}

TEST(SettingsChain, HoldsAtMostOneHundredFolderSets)
{
    SettingsChain chain;
    for (int i = 0; i < 100; ++i)
        ASSERT_NE(chain.addFolderSettings(folderSet("F" + std::to_string(i))), nullptr);
    EXPECT_EQ(chain.addFolderSettings(folderSet("one too many")), nullptr);
    EXPECT_EQ(chain.folderSetCount(), 100u);
    EXPECT_EQ(chain.findFolderSettings("one too many"), nullptr);
}

TEST(SettingsChain, SetsKeepTheirAddressWhileOthersComeAndGo)
{
    SettingsChain chain;
    LauncherSettings* kept = chain.addFolderSettings(folderSet("B"));
    chain.addFolderSettings(folderSet("A"));
    chain.removeFolderSettings("A");
    for (int i = 0; i < 20; ++i)
        chain.addFolderSettings(folderSet("X" + std::to_string(i)));
    EXPECT_EQ(chain.findFolderSettings("B"), kept);
}

TEST(ProfileLayout, EmptyProfileGivesTheStandardDefaults)
{
    MemoryProfile profile;
    SettingsChain chain;
    EXPECT_TRUE(loadSettings(profile, chain, testLook()));
    const LauncherSettings& s = chain.standard();
    EXPECT_EQ(s.Folder, "標準の詳細設定");
    EXPECT_TRUE(s.PrintEnt);
    EXPECT_FALSE(s.PrintLnk);
    EXPECT_EQ(s.IconPrint, 2);
    EXPECT_EQ(s.IconSize, 32);
    EXPECT_EQ(s.DesktopRatio, 100);
    EXPECT_TRUE(s.PrintMyself);
    EXPECT_EQ(s.StringsNumber, 260);
    EXPECT_EQ(s.HoyKey, 0);
    EXPECT_EQ(s.HeightSpace, 0);
    EXPECT_STREQ(s.Font.lfFaceName, "Menu Font");
    EXPECT_EQ(s.FontRGB, 0x000000u);
    EXPECT_EQ(s.BackgroundColor, 0xF0F0F0u);
    EXPECT_FALSE(s.FolderMenu);
    EXPECT_EQ(chain.folderSetCount(), 0u);
}

TEST(ProfileLayout, FolderSetWithMissingValuesShowsTextOnly)
{
    MemoryProfile profile;
    profile.writeInt("Detail", "Number", 1);
    profile.writeString(folderSection0, "Folder", "C:\\Apps");
    SettingsChain chain;
    ASSERT_TRUE(loadSettings(profile, chain, testLook()));
    LauncherSettings* set = chain.findFolderSettings("C:\\Apps");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->IconPrint, 0);
    EXPECT_FALSE(set->PrintEnt);
    EXPECT_FALSE(set->PrintLnk);
    EXPECT_TRUE(set->PrintMyself);
    EXPECT_EQ(set->StringsNumber, 260);
}

TEST(ProfileLayout, SaveWritesEveryValueAndLoadReadsItBack)
{
    MemoryProfile profile;
    SettingsChain chain;
    chain.standard() = standardDefaults(testLook());
    chain.standard().HoyKey = 0x0641;
    chain.standard().Font.lfHeight = -16;
    LauncherSettings set = folderSet("C:\\ソフト");
    set.IconPrint = 1;
    set.IconSize = 16;
    set.DesktopRatio = 50;
    set.HeightSpace = 4;
    set.StringsNumber = 12;
    set.PrintLnk = true;
    set.FontRGB = 0x123456;
    set.BackgroundColor = 0xABCDEF;
    set.FolderMenu = true;
    set.SystemColors = false;
    chain.addFolderSettings(set);
    saveSettings(profile, chain);

    EXPECT_EQ(profile.readInt("Detail", "Number", -1), 1);
    EXPECT_EQ(profile.readInt("Detail", "PrintEnt", -1), 1);
    EXPECT_EQ(profile.readInt("Detail", "HoyKey", -1), 0x0641);
    EXPECT_EQ(profile.readString("Detail", "FontData", "").substr(0, 8), "f0ffffff");
    EXPECT_EQ(profile.readString(folderSection0, "Folder", ""), "C:\\ソフト");
    EXPECT_EQ(profile.readInt("Detail", "FolderMenu", -1), 0);
    EXPECT_EQ(profile.readInt(folderSection0, "FolderMenu", -1), 1);
    EXPECT_EQ(profile.readInt("Detail", "SystemColors", -1), 1);
    EXPECT_EQ(profile.readInt(folderSection0, "SystemColors", -1), 0);
    EXPECT_EQ(profile.valueCount("Detail"), 15u);
    EXPECT_EQ(profile.valueCount(folderSection0), 15u);

    SettingsChain loaded;
    ASSERT_TRUE(loadSettings(profile, loaded, testLook()));
    LauncherSettings* back = loaded.findFolderSettings("C:\\ソフト");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->IconPrint, 1);
    EXPECT_EQ(back->IconSize, 16);
    EXPECT_EQ(back->DesktopRatio, 50);
    EXPECT_EQ(back->HeightSpace, 4);
    EXPECT_EQ(back->StringsNumber, 12);
    EXPECT_TRUE(back->PrintLnk);
    EXPECT_EQ(back->FontRGB, 0x123456u);
    EXPECT_EQ(back->BackgroundColor, 0xABCDEFu);
    EXPECT_TRUE(back->FolderMenu);
    EXPECT_FALSE(back->SystemColors);
    EXPECT_FALSE(loaded.standard().FolderMenu);
    EXPECT_TRUE(loaded.standard().SystemColors);
    EXPECT_EQ(loaded.standard().HoyKey, 0x0641);
    EXPECT_EQ(loaded.standard().Font.lfHeight, -16);
}

TEST(ProfileLayout, AProfileWithoutSystemColorsFollowsTheSystemWhereItsColoursAreTheSystems)
{
    const SystemLook look = testLook();
    struct Case {
        std::int32_t text, background;
        bool follows;
    };
    const Case cases[] = {{-2, -2, true},
                          {static_cast<std::int32_t>(look.menuTextColor), -2, true},
                          {0x0000FF, -2, false},
                          {-2, 0x202020, false}};
    for (const Case& c : cases) {
        MemoryProfile profile;
        // -2: the value is not stored.
        if (c.text != -2)
            profile.writeInt("Detail", "FontRGB", c.text);
        if (c.background != -2)
            profile.writeInt("Detail", "BackgroundColor", c.background);
        SettingsChain chain;
        ASSERT_TRUE(loadSettings(profile, chain, look));
        EXPECT_EQ(chain.standard().SystemColors, c.follows) << c.text << " " << c.background;
        profile.writeInt("Detail", "SystemColors", c.follows ? 0 : 1);
        ASSERT_TRUE(loadSettings(profile, chain, look));
        EXPECT_EQ(chain.standard().SystemColors, !c.follows) << "a stored value is kept";
    }
}

TEST(ProfileLayout, ShrunkChainRemovesStaleSections)
{
    MemoryProfile profile;
    SettingsChain chain;
    for (int i = 0; i < 5; ++i)
        chain.addFolderSettings(folderSet("F" + std::to_string(i)));
    saveSettings(profile, chain);
    ASSERT_TRUE(profile.hasSection("Detail\\FolderSpecificDetail(04)"));

    chain.removeFolderSettings("F1");
    chain.removeFolderSettings("F3");
    chain.removeFolderSettings("F4");
    saveSettings(profile, chain);
    EXPECT_EQ(profile.readInt("Detail", "Number", -1), 2);
    EXPECT_EQ(profile.readString(folderSection0, "Folder", ""), "F0");
    EXPECT_EQ(profile.readString("Detail\\FolderSpecificDetail(01)", "Folder", ""), "F2");
    for (int i = 2; i < 5; ++i)
        EXPECT_FALSE(profile.hasSection(indexedName("Detail\\FolderSpecificDetail", i))) << i;
}

TEST(ProfileLayout, HotkeyKeepsTheLowSixteenBits)
{
    MemoryProfile profile;
    profile.writeInt("Detail", "HoyKey", 0x7FFF0641);
    SettingsChain chain;
    loadSettings(profile, chain, testLook());
    EXPECT_EQ(chain.standard().HoyKey, 0x0641);
}

TEST(ProfileLayout, CountBeyondTheChainLimitStopsAtTheLimit)
{
    MemoryProfile profile;
    profile.writeInt("Detail", "Number", 0x7FFFFFFF);
    SettingsChain chain;
    EXPECT_FALSE(loadSettings(profile, chain, testLook()));
    EXPECT_EQ(chain.folderSetCount(), SettingsChain::maxFolderSets);
    // The sections that were never stored give defaults with an empty folder: they match
    // nothing.
    EXPECT_EQ(chain.findFolderSettings("C:\\x"), nullptr);
}

TEST(ProfileLayout, NegativeCountReadsNoSets)
{
    MemoryProfile profile;
    profile.writeInt("Detail", "Number", -5);
    SettingsChain chain;
    EXPECT_TRUE(loadSettings(profile, chain, testLook()));
    EXPECT_EQ(chain.folderSetCount(), 0u);
}

TEST(ProfileLayout, WrongTypesAndOverlongTextsGiveSaneSets)
{
    MemoryProfile profile;
    profile.writeString("Detail", "IconSize", "huge");
    profile.writeInt("Detail", "FontData", 12);
    profile.writeInt("Detail", "Number", 1);
    profile.writeString(folderSection0, "Folder", std::string(5000, 'q'));
    profile.writeString(folderSection0, "FontData", std::string(100000, '7'));
    SettingsChain chain;
    ASSERT_TRUE(loadSettings(profile, chain, testLook()));
    EXPECT_EQ(chain.standard().IconSize, 32);
    EXPECT_STREQ(chain.standard().Font.lfFaceName, "Menu Font");
    std::string stored;
    chain.forEachFolderSet([&](const LauncherSettings& set) {
        stored = set.Folder;
        EXPECT_EQ(set.Font.lfFaceName[31], '\0');
    });
    EXPECT_EQ(stored, std::string(259, 'q'));
}

// A damaged profile: each number outside what the program can work with reads as the set's
// default; the numbers next to the limits are kept as stored.
TEST(ProfileLayout, UnusableNumbersReadAsTheDefaults)
{
    struct Case {
        const char* value;
        std::int32_t stored;
        bool kept;
    };
    const Case cases[] = {
        {"IconPrint", 3, false},       {"IconPrint", -1, false},     {"IconPrint", 1, true},
        {"IconSize", 0, false},        {"IconSize", 257, false},     {"IconSize", 24, true},
        {"DesktopRatio", 0, false},    {"DesktopRatio", 101, false}, {"DesktopRatio", 1, true},
        {"StringsNumber", 0, false},   {"StringsNumber", 261, false},
        {"StringsNumber", 1, true},    {"HeightSpace", -1, false},   {"HeightSpace", 33, false},
        {"HeightSpace", 32, true},     {"FontRGB", -1, false},       {"FontRGB", 0xFFFFFF, true},
        {"BackgroundColor", 0x01000005, false},
        {"FolderMenu", 2, false},      {"FolderMenu", -1, false},    {"FolderMenu", 1, true},
        {"SystemColors", 2, false},    {"SystemColors", 0, true},
    };
    auto field = [](const LauncherSettings& set, const std::string& name) -> std::int64_t {
        if (name == "IconPrint") return set.IconPrint;
        if (name == "IconSize") return set.IconSize;
        if (name == "DesktopRatio") return set.DesktopRatio;
        if (name == "StringsNumber") return set.StringsNumber;
        if (name == "HeightSpace") return set.HeightSpace;
        if (name == "FontRGB") return set.FontRGB;
        if (name == "FolderMenu") return set.FolderMenu;
        if (name == "SystemColors") return set.SystemColors;
        return set.BackgroundColor;
    };
    for (const Case& c : cases) {
        for (bool folderSpecific : {false, true}) {
            MemoryProfile profile;
            std::string section = folderSpecific ? folderSection0 : "Detail";
            profile.writeInt("Detail", "Number", folderSpecific ? 1 : 0);
            profile.writeInt(section, c.value, c.stored);
            SettingsChain chain;
            loadSettings(profile, chain, testLook());
            LauncherSettings* set = &chain.standard();
            LauncherSettings defaults = standardDefaults(testLook());
            if (folderSpecific) {
                set = chain.findFolderSettings("");
                defaults = folderDefaults(testLook());
            }
            ASSERT_NE(set, nullptr);
            std::int64_t expected = c.kept ? c.stored : field(defaults, c.value);
            EXPECT_EQ(field(*set, c.value), expected) << c.value << " " << c.stored;
        }
    }
}

TEST(ProfileLayout, FontRecordsNoFontDialogGivesReadAsTheMenuFont)
{
    FontRecord big = testLook().menuFont;
    big.lfHeight = -1000;
    MemoryProfile profile;
    profile.writeString("Detail", "FontData", encodeFontData(big));
    SettingsChain chain;
    loadSettings(profile, chain, testLook());
    EXPECT_EQ(chain.standard().Font.lfHeight, -1000);

    for (std::int32_t FontRecord::*field :
         {&FontRecord::lfHeight, &FontRecord::lfWidth, &FontRecord::lfWeight,
          &FontRecord::lfEscapement, &FontRecord::lfOrientation}) {
        FontRecord damaged = big;
        damaged.*field = 0x77777777;
        profile.writeString("Detail", "FontData", encodeFontData(damaged));
        loadSettings(profile, chain, testLook());
        EXPECT_EQ(chain.standard().Font.lfHeight, -12);
    }
    // The stored form of an absurd record, as a damaged profile holds it; and text that is
    // not hexadecimal at all, which decodes to a record of zeros without a face name.
    for (const std::string& stored : {std::string(120, '7'), std::string(400, 'z')}) {
        profile.writeString("Detail", "FontData", stored);
        loadSettings(profile, chain, testLook());
        EXPECT_STREQ(chain.standard().Font.lfFaceName, "Menu Font") << stored;
        EXPECT_EQ(chain.standard().Font.lfHeight, -12) << stored;
    }
}

TEST(ProfileLayout, IndexedNames)
{
    EXPECT_EQ(indexedName("AppFolder", 0), "AppFolder(00)");
    EXPECT_EQ(indexedName("AppFolder", 98), "AppFolder(98)");
    EXPECT_EQ(indexedName("Detail\\FolderSpecificDetail", 7), "Detail\\FolderSpecificDetail(07)");
    EXPECT_EQ(indexedName("X", 100), "X(100)");
    EXPECT_EQ(threeDigitName(2), "002");
}

}  // namespace

TEST(RebuildPlans, OnlyTheWatchsBuildsTakeWhatTheLastBuildLearnedAndAFullBuildServesBoth)
{
    auto merged = [](RebuildReason first, RebuildReason second) {
        RebuildPlan plan = planFor(first);
        plan |= planFor(second);
        return plan;
    };
    EXPECT_TRUE(planFor(RebuildReason::watch).reusesUnchanged);
    for (RebuildReason reason : {RebuildReason::start, RebuildReason::folderSwitch,
                                 RebuildReason::settingChanged, RebuildReason::menuUpdate})
        EXPECT_FALSE(planFor(reason).reusesUnchanged);
    EXPECT_TRUE(merged(RebuildReason::watch, RebuildReason::watch).reusesUnchanged);
    EXPECT_TRUE(merged(RebuildReason::folderListChanged, RebuildReason::watch).reusesUnchanged);
    EXPECT_FALSE(merged(RebuildReason::watch, RebuildReason::menuUpdate).reusesUnchanged);
    EXPECT_FALSE(merged(RebuildReason::settingChanged, RebuildReason::watch).reusesUnchanged);
    EXPECT_FALSE(merged(RebuildReason::folderListChanged, RebuildReason::folderListChanged)
                     .reusesUnchanged);
}
