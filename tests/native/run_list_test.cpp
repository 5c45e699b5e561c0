#include "multirun/list_caption.h"
#include "multirun/run_list_editing.h"
#include "multirun/run_parameters.h"

#include <gtest/gtest.h>

namespace {

RunList threeEntries()
{
    return {entryForPath("C:\\a.exe"), entryForPath("C:\\b.exe"), entryForPath("C:\\c.exe")};
}

TEST(RunListEditing, MovesStopAtTheEnds)
{
    RunList list = threeEntries();
    EXPECT_EQ(moveEntryUp(list, 0), 0);
    EXPECT_EQ(moveEntryDown(list, 2), 2);
    EXPECT_EQ(moveEntryUp(list, -1), -1);
    EXPECT_EQ(moveEntryDown(list, 7), 7);
    EXPECT_EQ(list, threeEntries());

    EXPECT_EQ(moveEntryDown(list, 0), 1);
    EXPECT_EQ(list[1].entryText, "C:\\a.exe");
    EXPECT_EQ(moveEntryUp(list, 2), 1);
    EXPECT_EQ(list[1].entryText, "C:\\c.exe");
    EXPECT_EQ(list[2].entryText, "C:\\a.exe");
}

TEST(RunListEditing, RemovingSelectsTheNextOrTheNewLast)
{
    RunList list = threeEntries();
    EXPECT_EQ(removeEntry(list, 2), 1);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(removeEntry(list, 0), 0);
    EXPECT_EQ(list[0].entryText, "C:\\b.exe");
    EXPECT_EQ(removeEntry(list, -1), -1);
    EXPECT_EQ(removeEntry(list, 0), -1);
    EXPECT_TRUE(list.empty());
}

TEST(RunListEditing, ParameterFieldRewritesTheEntry)
{
    RunEntry entry = entryForPath("C:\\a.exe");
    EXPECT_EQ(entry.pathLength, 8);
    EXPECT_EQ(fieldParameters(entry), "");

    RunEntry edited = withFieldParameters(entry, "-v x");
    EXPECT_EQ(edited.entryText, "C:\\a.exe -v x");
    EXPECT_EQ(edited.pathLength, 8);
    EXPECT_EQ(fieldParameters(edited), "-v x");
    EXPECT_EQ(withFieldParameters(edited, "-w").entryText, "C:\\a.exe -w");

    // An emptied field leaves the path and one space.
    RunEntry emptied = withFieldParameters(edited, "");
    EXPECT_EQ(emptied.entryText, "C:\\a.exe ");
    EXPECT_EQ(fieldParameters(emptied), "");

    // Lengths a list file may claim stay within the text.
    RunEntry beyond{"C:\\a.exe -v", 500};
    EXPECT_EQ(entryPath(beyond), "C:\\a.exe -v");
    EXPECT_EQ(fieldParameters(beyond), "");
    EXPECT_EQ(withFieldParameters(beyond, "p").entryText, "C:\\a.exe -v p");
    RunEntry negative{"C:\\a.exe", -4};
    EXPECT_EQ(entryPath(negative), "");
    EXPECT_EQ(fieldParameters(negative), ":\\a.exe");
}

TEST(RunListEditing, AnEntryWithARealPathKeepsItThroughEditsAndIsFoundForTheListFile)
{
    const std::u16string real = u"C:\\q\\naïve🎵.exe";
    RunList list = {entryForPath("C:\\a.exe"), entryForRealPath("C:\\q\\na?ve?.exe", real)};
    EXPECT_EQ(firstEntryWithRealPath(list), 1);
    list[1] = withFieldParameters(list[1], "-v");
    EXPECT_EQ(list[1].realPath, real);
    EXPECT_EQ(fieldParameters(list[1]), "-v");
    EXPECT_EQ(moveEntryUp(list, 1), 0);
    EXPECT_EQ(firstEntryWithRealPath(list), 0);
    removeEntry(list, 0);
    EXPECT_EQ(firstEntryWithRealPath(list), -1);
}

TEST(RunParameters, ShortcutArgumentsComeFirstThenTheEntrysPart)
{
    EXPECT_EQ(runParameters("-a", {"C:\\x\\ed.lnk -b", 11}), "-a -b");
    EXPECT_EQ(runParameters("", {"C:\\a.exe -b", 8}), " -b");
    // An emptied parameter field starts the program with a single space.
    EXPECT_EQ(runParameters("", {"C:\\a.exe ", 8}), " ");
    EXPECT_EQ(runParameters("", entryForPath("C:\\a.exe")), "");
    EXPECT_EQ(runParameters("-a", entryForPath("C:\\x\\ed.lnk")), "-a");
}

TEST(RunParameters, BoundedToTheLaunchBufferWithoutSplittingACharacter)
{
    std::string arguments(200, 'a');
    std::string entryPart = " " + std::string(259, 'b');
    std::string parameters = runParameters(arguments, {"C:\\e.lnk" + entryPart, 8});
    EXPECT_EQ(parameters.size(), 259u);
    EXPECT_EQ(parameters, (arguments + entryPart).substr(0, 259));

    // 258 single bytes and a double-byte character: the character does not fit and goes whole.
    std::string dbcs = runParameters(std::string(258, 'a'), {"C:\\a.exe" + std::string("ソ"), 8});
    EXPECT_EQ(dbcs, std::string(258, 'a'));
}

TEST(RunParameters, ShortcutsAreKnownByTheirExtensionInAnyCase)
{
    EXPECT_TRUE(isShortcutPath("C:\\x\\ed.lnk"));
    EXPECT_TRUE(isShortcutPath("C:\\x\\ED.LnK"));
    EXPECT_TRUE(isShortcutPath(".lnk"));
    EXPECT_FALSE(isShortcutPath("lnk"));
    EXPECT_FALSE(isShortcutPath("C:\\x\\ed.lnk.txt"));
    EXPECT_FALSE(isShortcutPath("C:\\x\\edlnk"));
}

TEST(ListCaption, NamesTheListFile)
{
    EXPECT_EQ(listDisplayName("C:\\lists\\morning.sqx"), "morning.sqx");
    EXPECT_EQ(listDisplayName("C:/ソ/朝.sqx"), "朝.sqx");
    EXPECT_EQ(multiRunCaption(""), "複数実行");
    EXPECT_EQ(multiRunCaption("morning.sqx"), "複数実行(morning.sqx)");
}

}  // namespace
