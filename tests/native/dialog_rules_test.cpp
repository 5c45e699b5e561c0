#include "app/command_line.h"
#include "dialogs/hotkey_word.h"
#include "framework/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, UnsignedReadingRules)
{
    std::uint32_t value = 99;
    EXPECT_TRUE(parseUnsignedText("260", value));
    EXPECT_EQ(value, 260u);
    EXPECT_TRUE(parseUnsignedText(" \t12\t ", value));
    EXPECT_EQ(value, 12u);
    EXPECT_TRUE(parseUnsignedText("0", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(parseUnsignedText("4294967295", value));
    EXPECT_EQ(value, 4294967295u);

    for (const char* bad : {"", "   ", "-1", "+1", "1 2", "12a", "a12", "4294967296", "１２"})
        EXPECT_FALSE(parseUnsignedText(bad, value)) << bad;
}

TEST(NumberText, SignedReadingRules)
{
    std::int32_t value = 0;
    EXPECT_TRUE(parseSignedText("-4", value));
    EXPECT_EQ(value, -4);
    EXPECT_TRUE(parseSignedText(" +32 ", value));
    EXPECT_EQ(value, 32);
    EXPECT_TRUE(parseSignedText("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    for (const char* bad : {"", "-", "- 1", "2147483648", "3.5"})
        EXPECT_FALSE(parseSignedText(bad, value)) << bad;
}

TEST(NumberText, OnlyTheFirstThirtyOneCharactersAreRead)
{
    std::uint32_t value = 0;
    EXPECT_TRUE(parseUnsignedText("7" + std::string(30, ' ') + "junk", value));
    EXPECT_EQ(value, 7u);
    EXPECT_FALSE(parseUnsignedText(std::string(31, ' ') + "7", value));
}

TEST(NumberText, RangeMessage)
{
    EXPECT_EQ(rangeMessage(0, 260), "0 から 260 までの整数を入力してください。");
}

TEST(CommandLine, ShortcutNames)
{
    EXPECT_EQ(shortcutBaseName("memo.txt"), "memo");
    EXPECT_EQ(shortcutBaseName("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(shortcutBaseName(".profile"), ".profile");
    EXPECT_EQ(shortcutBaseName("README"), "README");
    EXPECT_EQ(shortcutBaseName("ソフト.exe"), "ソフト");
    EXPECT_EQ(shortcutPathFor("C:\\app", "memo.txt"), "C:\\app\\memo.lnk");

    // Files of one stem, or an older shortcut to another file, get numbered names.
    EXPECT_EQ(numberedShortcutPath("C:\\app", "memo", 1), "C:\\app\\memo.lnk");
    EXPECT_EQ(numberedShortcutPath("C:\\app", "memo", 2), "C:\\app\\memo (2).lnk");

    // A drive root would give "C:.lnk", which writes a stream of a file "C" on NTFS.
    for (const char* root : {"C:\\", "c:", "D:/"})
        EXPECT_TRUE(isDriveRoot(root)) << root;
    for (const char* other : {"C:\\x", "\\\\server\\share", "1:\\", "C"})
        EXPECT_FALSE(isDriveRoot(other)) << other;
    EXPECT_EQ(driveRootName("c:\\"), "ドライブ C");
}

TEST(CommandLine, QuestionListsEveryFileThenTheFolder)
{
    EXPECT_EQ(shortcutQuestion({"a.txt", "b"}, "C:\\app"),
              "a.txt\nb\n\nを C:\\app に\nショートカット登録しますか?");
}

TEST(HotkeyWord, ModifiersConvertOneByOne)
{
    HotkeyRegistration r = toRegistration(0x0800 | 'Q');
    EXPECT_EQ(r.modifiers, 0u);
    EXPECT_EQ(r.virtualKey, static_cast<unsigned>('Q'));

    r = toRegistration(0x0700 | 'Q');
    EXPECT_EQ(r.modifiers, 7u);

    EXPECT_EQ(toRegistration(0x0100 | 'A').modifiers, registerShift);
    EXPECT_EQ(toRegistration(0x0200 | 'A').modifiers, registerControl);
    EXPECT_EQ(toRegistration(0x0400 | 'A').modifiers, registerAlt);
    EXPECT_EQ(toRegistration(0x0E00 | 0x2E).modifiers, registerAlt | registerControl);
    EXPECT_EQ(toRegistration(0x0E00 | 0x2E).virtualKey, 0x2Eu);
}

}  // namespace
