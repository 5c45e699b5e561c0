// The profile really written to the registry, under the program file's own name.
#include "framework/application_win.h"
#include "framework/registry_profile_win.h"
#include "settings/profile_layout.h"
#include "settings/system_look_win.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

namespace {

class RegistryProfileTest : public ::testing::Test {
protected:
    void SetUp() override { clearTestProfile(); }
    void TearDown() override { clearTestProfile(); }

    RegistryProfile profile{"Brisvane", app::moduleBaseName()};
};

DWORD rawDword(const std::string& section, const std::string& name, DWORD* type)
{
    HKEY key = nullptr;
    DWORD value = 0, size = sizeof(value);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (testProfileKey() + "\\" + section).c_str(), 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return 0xDEAD;
    RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return value;
}

TEST_F(RegistryProfileTest, RootIsTheProgramFilesOwnName)
{
    EXPECT_EQ(profile.rootKeyPath(), "Software\\Brisvane\\registry_profile_test");
}

TEST_F(RegistryProfileTest, IntegersAndTextsAreStoredAsDwordAndString)
{
    EXPECT_TRUE(profile.writeInt("NowFolder", "HoyKey", 0x0641));
    EXPECT_TRUE(profile.writeString("NowFolder", "AppFolder", "C:\\ソフト"));
    DWORD type = 0;
    EXPECT_EQ(rawDword("NowFolder", "HoyKey", &type), 0x0641u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(profile.readInt("NowFolder", "HoyKey", 0), 0x0641);
    EXPECT_EQ(profile.readString("NowFolder", "AppFolder", ""), "C:\\ソフト");
    EXPECT_EQ(profile.readInt("NowFolder", "Missing", 77), 77);
    EXPECT_EQ(profile.readString("Nowhere", "AppFolder", "dflt"), "dflt");

    // A section with a backslash names a sub-key.
    EXPECT_TRUE(profile.writeInt("MultipleLaunch\\OnWakeup", "Number", 2));
    EXPECT_EQ(profile.readInt("MultipleLaunch\\OnWakeup", "Number", 0), 2);
    EXPECT_EQ(rawDword("MultipleLaunch\\OnWakeup", "Number", &type), 2u);
}

TEST_F(RegistryProfileTest, ValuesOfTheOtherTypeReadAsMissing)
{
    profile.writeString("Detail", "IconSize", "32");
    profile.writeInt("Detail", "FontData", 5);
    EXPECT_EQ(profile.readInt("Detail", "IconSize", 16), 16);
    EXPECT_EQ(profile.readString("Detail", "FontData", "none"), "none");
    BYTE binary[3] = {1, 2, 3};
    writeRawProfileValue("Detail", "Binary", REG_BINARY, binary, sizeof(binary));
    EXPECT_EQ(profile.readInt("Detail", "Binary", -1), -1);
}

TEST_F(RegistryProfileTest, TextsWithoutTerminatorOrOfHugeSizeAreEndedSafely)
{
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    writeRawProfileValue("NowFolder", "AppFolder", REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(profile.readString("NowFolder", "AppFolder", ""), "abcd");

    std::string huge(RegistryProfile::maxTextBytes + 5000, 'z');
    writeRawProfileValue("NowFolder", "TargetFolder", REG_SZ, huge.c_str(),
                         static_cast<DWORD>(huge.size() + 1));
    EXPECT_EQ(profile.readString("NowFolder", "TargetFolder", "").size(),
              static_cast<size_t>(RegistryProfile::maxTextBytes));
}

TEST_F(RegistryProfileTest, DeletingValuesAndSections)
{
    profile.writeInt("FolderList", "Number", 1);
    profile.writeString("FolderList", "AppFolder(00)", "x");
    EXPECT_TRUE(profile.deleteValue("FolderList", "AppFolder(00)"));
    EXPECT_FALSE(profile.deleteValue("FolderList", "AppFolder(00)"));
    EXPECT_EQ(profile.readInt("FolderList", "Number", 0), 1);

    profile.writeInt("Detail\\FolderSpecificDetail(00)", "IconSize", 16);
    EXPECT_TRUE(profile.deleteSection("Detail\\FolderSpecificDetail(00)"));
    EXPECT_FALSE(profile.deleteSection("Detail\\FolderSpecificDetail(00)"));
    EXPECT_EQ(profile.readInt("Detail\\FolderSpecificDetail(00)", "IconSize", 32), 32);
}

TEST_F(RegistryProfileTest, SettingsLayoutInTheRealRegistry)
{
    SettingsChain chain;
    loadSettings(profile, chain, currentSystemLook());
    for (int i = 0; i < 5; ++i) {
        LauncherSettings set = folderDefaults(currentSystemLook());
        set.Folder = "C:\\f" + std::to_string(i);
        chain.addFolderSettings(set);
    }
    saveSettings(profile, chain);
    DWORD type = 0;
    EXPECT_EQ(rawDword("Detail", "Number", &type), 5u);
    EXPECT_EQ(rawDword("Detail\\FolderSpecificDetail(04)", "IconPrint", &type), 0u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    chain.clearFolderSets();
    for (int i = 0; i < 2; ++i) {
        LauncherSettings set = folderDefaults(currentSystemLook());
        set.Folder = "C:\\g" + std::to_string(i);
        chain.addFolderSettings(set);
    }
    saveSettings(profile, chain);
    EXPECT_EQ(profile.readInt("Detail", "Number", 0), 2);
    EXPECT_EQ(profile.readString("Detail\\FolderSpecificDetail(01)", "Folder", ""), "C:\\g1");
    for (int i = 2; i < 5; ++i) {
        HKEY key = nullptr;
        std::string section =
            testProfileKey() + "\\Detail\\FolderSpecificDetail(0" + std::to_string(i) + ")";
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, section.c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS)
            << section;
    }
}

}  // namespace
