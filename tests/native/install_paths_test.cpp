#include "installer/install_paths.h"

#include <gtest/gtest.h>

using namespace installer;

namespace {

// Both end in the byte of the backslash: ソ is 0x83 0x5C, 表 is 0x95 0x5C.
const std::string so = "ソ";
const std::string hyo = "表";

TEST(InstallPaths, DefaultFolderIsTheUsersOwnProgramFolder)
{
    const std::string programs = "C:\\Users\\" + so + "\\AppData\\Local\\Programs";
    EXPECT_EQ(defaultInstallFolder(programs, "ignored"), programs + "\\Quintarel");
    EXPECT_EQ(defaultInstallFolder("D:\\Apps\\", ""), "D:\\Apps\\Quintarel");
    // A folder ending in ソ does not end in a separator.
    EXPECT_EQ(defaultInstallFolder("D:\\" + so, ""), "D:\\" + so + "\\Quintarel");
    // Before the system named that folder, its place below the local application data.
    EXPECT_EQ(defaultInstallFolder("", "C:\\Users\\u\\AppData\\Local"),
              "C:\\Users\\u\\AppData\\Local\\Programs\\Quintarel");
    EXPECT_EQ(defaultInstallFolder("", ""), "");

    InstallOptions options = defaultInstallOptions("E:\\P", "");
    EXPECT_EQ(options.installFolder, "E:\\P\\Quintarel");
    EXPECT_TRUE(options.addToStartup);
    EXPECT_TRUE(options.addToSendTo);
    EXPECT_FALSE(options.skipCopy);
}

TEST(InstallPaths, UnwritableFolderTextSaysWhyAndWhatToChoose)
{
    std::string text = unwritableFolderText("C:\\Program Files\\Q", "アクセスが拒否されました。\r\n",
                                            "C:\\U\\Programs\\Quintarel");
    EXPECT_EQ(text.find("C:\\Program Files\\Q には書き込めない"), 0u);
    // The system's line end does not leave an empty line inside the brackets.
    EXPECT_NE(text.find("(アクセスが拒否されました。)"), std::string::npos);
    EXPECT_NE(text.find("C:\\U\\Programs\\Quintarel です。"), std::string::npos);
    // Suggesting the refused folder itself, or nothing, says no default.
    EXPECT_EQ(unwritableFolderText("C:\\A", "", "C:\\A").find("既定"), std::string::npos);
    EXPECT_EQ(unwritableFolderText("C:\\A", "", "").find("("), std::string::npos);
}

TEST(InstallPaths, OwnPathSplitsWithDoubleByteCharactersWhole)
{
    EXPECT_EQ(folderOf("C:\\Setup\\installer.exe"), "C:\\Setup\\");
    EXPECT_EQ(fileNameOf("C:\\Setup\\installer.exe"), "installer.exe");

    // The second byte of ソ and 表 is no separator: the folder ends at the real one.
    std::string path = "C:\\" + so + "フト\\" + hyo + "示\\" + so + ".exe";
    EXPECT_EQ(folderOf(path), "C:\\" + so + "フト\\" + hyo + "示\\");
    EXPECT_EQ(fileNameOf(path), so + ".exe");
    EXPECT_EQ(fileNameOf("C:\\a\\" + hyo), hyo);

    // A dot in a folder is no extension; a name may have none.
    EXPECT_EQ(folderOf("D:/tools.v2/setup"), "D:/tools.v2/");
    EXPECT_EQ(fileNameOf("D:/tools.v2/setup"), "setup");
    EXPECT_EQ(fileNameOf("archive.tar.exe"), "archive.tar.exe");
    EXPECT_EQ(folderOf("installer.exe"), "");
}

TEST(InstallPaths, FilesJoinWithOneSeparator)
{
    EXPECT_EQ(launcherIn("C:\\Setup\\"), "C:\\Setup\\Quintarel.exe");
    EXPECT_EQ(launcherIn("C:\\Setup"), "C:\\Setup\\Quintarel.exe");
    EXPECT_EQ(launcherIn("C:/Setup/"), "C:/Setup/Quintarel.exe");
    // A folder ending in ソ does not end in a separator.
    EXPECT_EQ(launcherIn("C:\\" + so), "C:\\" + so + "\\Quintarel.exe");
    EXPECT_EQ(shortcutIn("C:\\users\\x\\SendTo"), "C:\\users\\x\\SendTo\\Quintarel.lnk");
    EXPECT_EQ(launcherIn(""), "Quintarel.exe");
}

TEST(InstallPaths, CopiesTheInstallerTheReadMeAndLastTheLauncher)
{
    std::string folder = copyFolder("C:\\Program Files\\" + so);
    EXPECT_EQ(folder, "C:\\Program Files\\" + so + "\\");
    std::vector<CopyStep> steps = copySteps("D:\\dl\\", "setup.exe", folder);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].source, "D:\\dl\\setup.exe");
    EXPECT_EQ(steps[0].destination, folder + "setup.exe");
    EXPECT_EQ(steps[1].source, "D:\\dl\\ReadMe.txt");
    EXPECT_EQ(steps[1].destination, folder + "ReadMe.txt");
    EXPECT_EQ(steps[2].source, "D:\\dl\\Quintarel.exe");
    EXPECT_EQ(steps[2].destination, folder + "Quintarel.exe");
    EXPECT_FALSE(steps[0].required);
    EXPECT_FALSE(steps[1].required);
    EXPECT_TRUE(steps[2].required);

    // The separator is appended even to a folder that ends in one.
    EXPECT_EQ(copyFolder("C:\\x\\"), "C:\\x\\\\");
    EXPECT_EQ(copySteps("", "i.exe", copyFolder("C:\\x\\"))[2].destination,
              "C:\\x\\\\Quintarel.exe");
}

TEST(InstallPaths, InstallFolderMustLeaveRoomForEveryFile)
{
    EXPECT_NE(installFolderProblem("", "installer.exe"), "");
    EXPECT_EQ(installFolderProblem("C:\\Users\\u\\AppData\\Local\\Programs\\Quintarel",
                                   "installer.exe"), "");

    // "\" and "Quintarel.exe" (13 bytes) after the folder: 245 bytes fit, 246 do not.
    std::string fits = "C:\\" + std::string(242, 'a');
    ASSERT_EQ(fits.size(), 245u);
    EXPECT_EQ(installFolderProblem(fits, "installer.exe"), "");
    std::string problem = installFolderProblem(fits + "a", "installer.exe");
    EXPECT_NE(problem.find("長すぎます"), std::string::npos);
    EXPECT_NE(problem.find("245"), std::string::npos);

    // A longer own file name leaves less room; double-byte characters count two bytes.
    EXPECT_NE(installFolderProblem(fits, "installer-2.2.exe"), "");
    std::string wide = "C:\\";
    while (wide.size() + so.size() <= 245)
        wide += so;
    EXPECT_EQ(installFolderProblem(wide, "installer.exe"), "");
    EXPECT_NE(installFolderProblem(wide + so, "installer.exe"), "");

    // The box's own limit and beyond: refused, with a room that never wraps around.
    EXPECT_NE(installFolderProblem(std::string(259, 'z'), "installer.exe"), "");
    EXPECT_NE(installFolderProblem("C:\\a", std::string(300, 'n')).find(" 0 "),
              std::string::npos);
}

TEST(InstallPaths, CopyFailureNamesBothPathsAndTheReason)
{
    EXPECT_EQ(copyFailureText("D:\\dl\\ReadMe.txt", "C:\\Q\\\\ReadMe.txt"),
              "D:\\dl\\ReadMe.txt を C:\\Q\\\\ReadMe.txt にコピーできませんでした。");
    EXPECT_EQ(copyFailureText("a", "b", "共有違反です。\r\n"),
              "a を b にコピーできませんでした。\n(共有違反です。)");
}

TEST(InstallPaths, OnlyFullLocalOrShareFoldersAreAccepted)
{
    for (const std::string& folder :
         {std::string("C:\\Tools\\Quintarel"), std::string("d:/q"), std::string("C:\\"),
          std::string("C:\\a\\\\b\\"), std::string("\\\\server\\share"),
          std::string("\\\\server\\share\\q"), "C:\\" + so + "\\" + hyo})
        EXPECT_TRUE(isFullFolderPath(folder)) << folder;
    for (const std::string& folder :
         {std::string("Quintarel"), std::string("rel\\q"), std::string("C:rel"),
          std::string("\\rel"), std::string("C:"), std::string("\\\\server"),
          std::string("\\\\server\\"), std::string("\\\\?\\C:\\q"),
          std::string("\\\\.\\C:\\q"), std::string("C:\\a\\..\\Windows"),
          std::string("C:\\.\\q"), std::string("1:\\q")})
        EXPECT_FALSE(isFullFolderPath(folder)) << folder;
    // The second byte of ソ is no separator: "C:\ソ.." is one component, not "..".
    EXPECT_TRUE(isFullFolderPath("C:\\" + so + ".."));
    EXPECT_NE(installFolderProblem("rel\\q", "installer.exe").find("rel\\q は"), std::string::npos);
}

TEST(InstallPaths, InsideAFolderComparesWholeComponentsWithoutCase)
{
    EXPECT_TRUE(isInside("C:\\Users\\u\\AppData\\Local\\Programs\\Q", "c:\\users\\U"));
    EXPECT_TRUE(isInside("C:\\Users\\u", "C:/Users/u/"));
    EXPECT_TRUE(isInside("D:\\q", "D:\\"));
    EXPECT_FALSE(isInside("C:\\Users\\ux\\q", "C:\\Users\\u"));
    EXPECT_FALSE(isInside("C:\\Tools", "C:\\Users\\u"));
    EXPECT_FALSE(isInside("C:\\q", ""));
    // A trail byte in the letters' range is not folded: ア (0x83 0x41) is not ヂ (0x83 0x61).
    EXPECT_FALSE(isInside("C:\\ア\\q", "C:\\ヂ"));
    // Nor is a trail byte 0x5C taken for a separator: C:\ソ is not below C:\ and a lead byte.
    EXPECT_FALSE(isInside("C:\\" + so, std::string("C:\\\x83")));
}

TEST(InstallPaths, ElevatedStartGoesOnOnlyAsTheDesktopsOwnAccount)
{
    EXPECT_EQ(elevatedStartAction(false, false, false, false), ElevatedStart::install);
    EXPECT_EQ(elevatedStartAction(true, false, false, false), ElevatedStart::refuse);
    // The usual "Run as administrator": the shell runs unelevated, as this or another user.
    EXPECT_EQ(elevatedStartAction(true, true, false, true), ElevatedStart::restartThroughShell);
    EXPECT_EQ(elevatedStartAction(true, true, false, false), ElevatedStart::restartThroughShell);
    // No user account control: the shell is elevated as this very account.
    EXPECT_EQ(elevatedStartAction(true, true, true, true), ElevatedStart::install);
    EXPECT_EQ(elevatedStartAction(true, true, true, false), ElevatedStart::restartThroughShell);
}

TEST(InstallPaths, UninstallEntryNamesTheInstallationAndItsVersion)
{
    const unsigned version[4] = {2, 2, 0, 17};
    UninstallEntry entry = uninstallEntry("C:\\" + so, "setup.exe", version, 1025);
    EXPECT_EQ(entry.displayName, "Quintarel");
    EXPECT_EQ(entry.displayVersion, "2.2.0.17");
    EXPECT_EQ(entry.versionMajor, 2u);
    EXPECT_EQ(entry.publisher, "Brisvane");
    EXPECT_EQ(entry.installLocation, "C:\\" + so);
    EXPECT_EQ(entry.displayIcon, "C:\\" + so + "\\Quintarel.exe,0");
    EXPECT_EQ(entry.uninstallString, "\"C:\\" + so + "\\setup.exe\" /uninstall");
    EXPECT_EQ(entry.estimatedSizeKb, 2u);

    // The fixed part of a version resource, after a header whose bytes are no signature.
    std::string block(40, '\0');
    block += std::string("\xBD\x04\xEF\xFE\x00\x00\x01\x00", 8);
    block += std::string("\x03\x00\x02\x00\x05\x00\x04\x00", 8);
    unsigned read[4] = {};
    ASSERT_TRUE(fixedFileVersion(block, read));
    EXPECT_EQ(std::vector<unsigned>(read, read + 4), (std::vector<unsigned>{2, 3, 4, 5}));
    EXPECT_FALSE(fixedFileVersion(block.substr(0, 44), read));
}

}  // namespace
