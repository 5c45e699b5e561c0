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

TEST(WakeupLists, LetterCaseCounts)
{
    MemoryProfile profile;
    WakeupLists lists;
    lists.add(profile, "C:\\Seq\\A.sqx");
    EXPECT_TRUE(lists.contains("C:/Seq/A.sqx"));
    EXPECT_FALSE(lists.contains("C:/seq/a.sqx"));
    lists.remove(profile, "c:\\seq\\a.sqx");
    EXPECT_EQ(lists.paths().size(), 1u);

    std::vector<std::string> registered = {"C:/seq/a.sqx"};
    EXPECT_EQ(findRegisteredList(registered, "C:\\Seq\\A.sqx"), -1);
    EXPECT_EQ(findRegisteredList(registered, "C:\\seq\\a.sqx"), 0);
    lists.prune(registered);
    EXPECT_TRUE(lists.paths().empty());
}

TEST(WakeupLists, LoadSkipsEmptyTextsAndPruneTouchesOnlyMemory)
{
    MemoryProfile profile;
    profile.writeInt(section, "Number", 4);
    profile.writeString(section, "000", "C:/seq/a.sqx");
    profile.writeString(section, "001", "");
    profile.writeString(section, "003", "C:/seq/gone.sqx");
    WakeupLists lists;
    lists.load(profile);
    EXPECT_EQ(lists.paths(), (std::vector<std::string>{"C:/seq/a.sqx", "C:/seq/gone.sqx"}));

    lists.prune({"C:/seq/a.sqx", "C:/seq/b.sqx"});
    EXPECT_EQ(lists.paths(), (std::vector<std::string>{"C:/seq/a.sqx"}));
    EXPECT_EQ(profile.readString(section, "003", ""), "C:/seq/gone.sqx");
    lists.prune({});
    EXPECT_TRUE(lists.paths().empty());

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
