#include "common/path_text.h"

#include <gtest/gtest.h>

namespace {

// ソ is 0x83 0x5C: its second byte is the code of the backslash.
const std::string so = "ソ";

TEST(PathText, DoubleByteCharacterCarriesABackslashByte)
{
    ASSERT_EQ(so.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(so[0]), 0x83);
    EXPECT_EQ(so[1], '\\');
}

TEST(PathText, ForwardSlashesLeaveTrailBytesAlone)
{
    std::string path = "C:\\" + so + "フト\\x";
    toForwardSlashes(path);
    EXPECT_EQ(path, "C:/" + so + "フト/x");

    std::string back = path;
    toBackslashes(back);
    EXPECT_EQ(back, "C:\\" + so + "フト\\x");

    // A lead byte at the very end has no second byte to skip.
    std::string dangling = "a\\\x83";
    toForwardSlashes(dangling);
    EXPECT_EQ(dangling, "a/\x83");
}

TEST(PathText, ParentDirectoryExamples)
{
    std::string parent;
    EXPECT_TRUE(parentDirectory("C:\\Tools\\run.exe", parent));
    EXPECT_EQ(parent, "C:\\Tools");
    EXPECT_TRUE(parentDirectory("C:\\Tools\\", parent));
    EXPECT_EQ(parent, "C:");
    EXPECT_TRUE(parentDirectory("C:\\run.exe", parent));
    EXPECT_EQ(parent, "C:");
    EXPECT_TRUE(parentDirectory("C:/Tools/run.exe", parent));
    EXPECT_EQ(parent, "C:/Tools");

    EXPECT_FALSE(parentDirectory("\\run.exe", parent));
    EXPECT_EQ(parent, "\\run.exe");
    EXPECT_FALSE(parentDirectory("run.exe", parent));
    EXPECT_EQ(parent, "run.exe");
    EXPECT_FALSE(parentDirectory("a", parent));
    EXPECT_FALSE(parentDirectory("", parent));
}

TEST(PathText, ParentDirectoryNeverCutsInsideADoubleByteCharacter)
{
    std::string parent;
    EXPECT_TRUE(parentDirectory("C:\\" + so, parent));
    EXPECT_EQ(parent, "C:");
    EXPECT_TRUE(parentDirectory("C:\\" + so + "\\memo.txt", parent));
    EXPECT_EQ(parent, "C:\\" + so);
    // A path ending in ソ has no trailing separator to step over.
    EXPECT_TRUE(parentDirectory("C:\\data\\" + so, parent));
    EXPECT_EQ(parent, "C:\\data");
}

TEST(PathText, ParentDirectoryOfAnOverlongPathStaysWithinTheBuffer)
{
    std::string parent;
    std::string longPath = "C:\\" + std::string(400, 'x');
    EXPECT_TRUE(parentDirectory(longPath, parent));
    EXPECT_EQ(parent, "C:");
    std::string noSeparator(400, 'y');
    EXPECT_FALSE(parentDirectory(noSeparator, parent));
    EXPECT_EQ(parent.size(), maxPathChars);
}

TEST(PathText, SplitPathParts)
{
    PathParts parts = splitPath("C:\\Tools\\my.apps");
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\Tools\\");
    EXPECT_EQ(parts.name, "my");
    EXPECT_EQ(parts.extension, ".apps");

    parts = splitPath("D:\\");
    EXPECT_EQ(parts.drive, "D:");
    EXPECT_EQ(parts.directory, "\\");
    EXPECT_EQ(parts.name, "");
    EXPECT_EQ(parts.extension, "");

    parts = splitPath("archive.tar.gz");
    EXPECT_EQ(parts.name, "archive.tar");
    EXPECT_EQ(parts.extension, ".gz");

    parts = splitPath(".profile");
    EXPECT_EQ(parts.name, "");
    EXPECT_EQ(parts.extension, ".profile");

    parts = splitPath("C:\\a.b\\file");
    EXPECT_EQ(parts.directory, "\\a.b\\");
    EXPECT_EQ(parts.name, "file");
    EXPECT_EQ(parts.extension, "");
}

TEST(PathText, SplitPathTakesADoubleByteCharacterWhole)
{
    PathParts parts = splitPath("C:\\" + so + "\\" + so + "フト.txt");
    EXPECT_EQ(parts.directory, "\\" + so + "\\");
    EXPECT_EQ(parts.name, so + "フト");
    EXPECT_EQ(parts.extension, ".txt");

    // No separator inside ソ: the whole text is the name.
    parts = splitPath(so + "x");
    EXPECT_EQ(parts.directory, "");
    EXPECT_EQ(parts.name, so + "x");
}

TEST(PathText, MakePathAddsTheMissingSeparators)
{
    EXPECT_EQ(makePath("C:", "\\Program Files", "Quintarel", ""), "C:\\Program Files\\Quintarel");
    EXPECT_EQ(makePath("C", "\\x\\", "a", "exe"), "C:\\x\\a.exe");
    EXPECT_EQ(makePath("", "", "a", ".lnk"), "a.lnk");
    // A directory ending in ソ does not end in a separator.
    EXPECT_EQ(makePath("C:", "\\" + so, "a", ""), "C:\\" + so + "\\a");
    PathParts parts = splitPath("C:\\Tools\\quintarel.exe");
    EXPECT_EQ(makePath(parts.drive, parts.directory, "app", ""), "C:\\Tools\\app");
}

TEST(PathText, CutWholeKeepsDoubleByteCharactersTogether)
{
    EXPECT_EQ(cutWhole("abcdef", 4), "abcd");
    EXPECT_EQ(cutWhole("ab", 4), "ab");
    std::string text = "a" + so + so;  // 5 bytes
    EXPECT_EQ(cutWhole(text, 2), "a");
    EXPECT_EQ(cutWhole(text, 3), "a" + so);
    EXPECT_EQ(cutWhole(text, 4), "a" + so);
    EXPECT_EQ(cutWhole(text, 0), "");
}

TEST(PathText, LastComponent)
{
    EXPECT_EQ(lastComponent("C:\\Data\\memo.txt"), "memo.txt");
    EXPECT_EQ(lastComponent("memo.txt"), "memo.txt");
    EXPECT_EQ(lastComponent("C:\\" + so), so);
}

}  // namespace
