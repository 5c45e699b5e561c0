#include "multirun/wakeup_lists.h"
#include "tests/support/memory_profile.h"

#include <gtest/gtest.h>

namespace {

const char section[] = "MultipleLaunch\\OnWakeup";

TEST(WakeupLists, UnmarkingTheFirstOfThreeRenumbersAndDeletesTheStale)
{
    MemoryProfile profile;
    WakeupLists lists;
    lists.add(profile, "C:\\seq\\a.sqx");
    lists.add(profile, "C:/seq/b.sqx");
    lists.add(profile, "C:\\seq\\c.sqx");
    lists.add(profile, "C:/seq/a.sqx");  // already marked: nothing changes
    EXPECT_EQ(profile.readInt(section, "Number", 0), 3);
    EXPECT_EQ(profile.readString(section, "000", ""), "C:/seq/a.sqx");

    lists.remove(profile, "C:\\seq\\a.sqx");
    EXPECT_EQ(profile.readInt(section, "Number", 0), 2);
    EXPECT_EQ(profile.readString(section, "000", ""), "C:/seq/b.sqx");
    EXPECT_EQ(profile.readString(section, "001", ""), "C:/seq/c.sqx");
    EXPECT_FALSE(profile.hasValue(section, "002"));

    std::size_t writes = profile.writes;
    lists.remove(profile, "C:\\seq\\a.sqx");
    EXPECT_EQ(profile.writes, writes);
}

TEST(WakeupLists, PathsCompareAsWindowsComparesNames)
{
    MemoryProfile profile;
    WakeupLists lists;
    lists.add(profile, "C:\\Seq\\A.sqx");
    EXPECT_TRUE(lists.contains("c:/seq/a.SQX"));
    lists.add(profile, "C:/SEQ/a.sqx");  // the same file: not marked twice
    EXPECT_EQ(lists.paths(), std::vector<std::string>{"C:/Seq/A.sqx"});

    // A trail byte that looks like a capital is no letter: ア (0x83 0x41) is not ヂ (0x83 0x61).
    lists.add(profile, "C:/seq/ア.sqx");
    EXPECT_FALSE(lists.contains("C:/seq/ヂ.sqx"));
    EXPECT_EQ(foldedPathKey("C:\\ソ\\ABC"), "c:/ソ/abc");

    std::vector<std::string> registered = {"C:/seq/b.sqx", "C:/seq/a.sqx"};
    EXPECT_EQ(findRegisteredList(registered, "c:\\SEQ\\A.sqx"), 1);
    lists.remove(profile, "c:\\seq\\a.sqx");
    EXPECT_EQ(lists.paths(), std::vector<std::string>{"C:/seq/ア.sqx"});
}

TEST(WakeupLists, MarksNotFoundAtOneStartAreKeptAndNotRun)
{
    MemoryProfile profile;
    profile.writeInt(section, "Number", 4);
    profile.writeString(section, "000", "C:/seq/a.sqx");
    profile.writeString(section, "001", "");
    profile.writeString(section, "003", "C:/seq/gone.sqx");
    WakeupLists lists;
    lists.load(profile);
    EXPECT_EQ(lists.paths(), (std::vector<std::string>{"C:/seq/a.sqx", "C:/seq/gone.sqx"}));

    EXPECT_EQ(lists.toRun({"C:/seq/b.sqx", "C:/SEQ/A.sqx"}),
              std::vector<std::string>{"C:/seq/a.sqx"});
    // A folder out of reach at this start: nothing runs, and the next change of the marks
    // still writes every one of them.
    EXPECT_TRUE(lists.toRun({}).empty());
    lists.add(profile, "C:/seq/b.sqx");
    EXPECT_EQ(profile.readInt(section, "Number", 0), 3);
    EXPECT_EQ(profile.readString(section, "001", ""), "C:/seq/gone.sqx");

    // A damaged count reads no more than three digits can name.
    profile.writeInt(section, "Number", 0x7FFFFFFF);
    profile.writeString(section, "999", "C:/seq/last.sqx");
    profile.writeString(section, "1000", "C:/seq/beyond.sqx");
    lists.load(profile);
    EXPECT_EQ(lists.paths().back(), "C:/seq/last.sqx");
}

TEST(RegisteredLists, PathsUseForwardSlashes)
{
    EXPECT_EQ(registeredPath("C:\\Tools\\seq", "morning.sqx"), "C:/Tools/seq/morning.sqx");
    // ソ's second byte is a backslash code and stays.
    EXPECT_EQ(registeredPath("C:\\ソ\\seq", "朝.sqx"), "C:/ソ/seq/朝.sqx");
    EXPECT_EQ(registeredListPattern("C:\\Tools\\seq"), "C:\\Tools\\seq/*.sqx");
}

}  // namespace
