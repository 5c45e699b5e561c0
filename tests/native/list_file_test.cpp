#include "multirun/list_file.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const std::string header = "[Quintarel Sequntial Execute File]\n";

std::string file(const std::string& preamble, const std::string& entries)
{
    return header + preamble + "-- \n" + entries;
}

TEST(ListFileWriter, TwoEntryExampleByteForByte)
{
    RunList list = {{"C:\\Tools\\a.exe -v", 14}, {"D:\\memo.txt", 11}};
    EXPECT_EQ(formatListFile(list, true),
              "[Quintarel Sequntial Execute File]\n"
              "Sequential execute: 1\n"
              "-- \n"
              " 14:C:\\Tools\\a.exe -v\n"
              " 11:D:\\memo.txt\n");
    EXPECT_EQ(header.size(), 35u);
}

TEST(ListFileWriter, NumbersArePaddedToThreeAndGrowBeyond)
{
    RunList list = {{"C:\\a.exe ", 8}, {"x", 1234}, {"y", -5}};
    EXPECT_EQ(formatListFile(list, false),
              header + "Sequential execute: 0\n-- \n  8:C:\\a.exe \n1234:x\n -5:y\n");
}

TEST(ListFileReader, RoundTripKeepsTextsLengthsAndOrderedRun)
{
    // ソ carries the byte of a backslash; a trailing space stands for emptied parameters; a
    // long entry line goes beyond a 259-byte line buffer and still comes back whole.
    std::string longParameters(300, 'p');
    RunList list = {{"C:\\ソフト\\run.exe -x", 17},
                    {"C:\\a.exe ", 8},
                    {"C:\\b.exe " + longParameters, 8},
                    {"", 1}};
    for (bool ordered : {false, true}) {
        ListFileContent read = readListFile(formatListFile(list, ordered));
        EXPECT_EQ(read.status, ListFileStatus::read);
        EXPECT_EQ(read.entries, list);
        ASSERT_TRUE(read.orderedRun.has_value());
        EXPECT_EQ(*read.orderedRun, ordered ? 1 : 0);
    }
}

TEST(ListFileReader, RefusesAnythingButTheExactHeaderLine)
{
    for (const std::string& bytes :
         {std::string(), std::string("[Quintarel Sequntial Execute File]"),
          std::string("[Quintarel Sequntial Execute File]\r\nSequential execute: 1\r\n-- \r\n"),
          std::string("[Quintarel Sequential Execute File]\n-- \n"), " " + header + "-- \n",
          std::string("[Quintarel Sequntial Execute File]\0\n-- \n", 40)}) {
        ListFileContent read = readListFile(bytes);
        EXPECT_EQ(read.status, ListFileStatus::notListFile) << bytes;
        EXPECT_TRUE(read.entries.empty());
    }
}

TEST(ListFileReader, HeaderWithoutSeparatorHasNoEntryList)
{
    EXPECT_EQ(readListFile(header).status, ListFileStatus::noEntryList);
    // A separator with CR is not the separator; the option line read before it still counts.
    ListFileContent read = readListFile(header + "Sequential execute: 1\n-- \r\n 3:abc\n");
    EXPECT_EQ(read.status, ListFileStatus::noEntryList);
    EXPECT_TRUE(read.entries.empty());
    EXPECT_EQ(read.orderedRun, 1);
}

TEST(ListFileReader, PreambleSkipsOtherLinesAndTheLastOptionLineWins)
{
    ListFileContent read = readListFile(file(
        "comment\nSequential execute: 1\n\nSequential execute:   0 trailing\nSequential\n", ""));
    EXPECT_EQ(read.status, ListFileStatus::read);
    EXPECT_TRUE(read.entries.empty());
    EXPECT_EQ(read.orderedRun, 0);

    EXPECT_EQ(readListFile(file("", "")).orderedRun, std::nullopt);
    EXPECT_EQ(readListFile(file("Sequential execute:\n", "")).orderedRun, 0);
    EXPECT_EQ(readListFile(file("Sequential execute:7\n", "")).orderedRun, 7);
    // Decimal only: a leading zero does not make it octal.
    EXPECT_EQ(readListFile(file("Sequential execute: 010\n", "")).orderedRun, 10);
}

TEST(ListFileReader, EntryLinesWithAndWithoutNumbers)
{
    ListFileContent read = readListFile(file("",
                                             "\n"
                                             "D:\\memo.txt\n"
                                             "012:C:\\a.exe\n"
                                             "0x1A:C:\\b.exe\n"
                                             "  -3:neg\n"
                                             " 5;C:\\x\r\n"
                                             "0x:zero\n"
                                             "9"));
    ASSERT_EQ(read.status, ListFileStatus::read);
    RunList expected = {{"", 1},         {"D:\\memo.txt", 12}, {"C:\\a.exe", 10},
                        {"C:\\b.exe", 26}, {"neg", -3},          {"C:\\x", 5},
                        {":zero", 0},    {"", 9}};
    EXPECT_EQ(read.entries, expected);
}

TEST(ListFileReader, OverflowingNumbersStopAtTheirLimits)
{
    ListFileContent read = readListFile(
        file("Sequential execute: 99999999999999999999\n",
             "99999999999999999999999:a\n-99999999999999:b\n0xFFFFFFFF:c\n2147483647:d\n"
             "-2147483648:e\n"));
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    RunList expected = {{"a", max}, {"b", min}, {"c", max}, {"d", max}, {"e", min}};
    EXPECT_EQ(read.entries, expected);
    EXPECT_EQ(read.orderedRun, max);
}

TEST(ListFileReader, ZeroByteEndsTheTextOfItsLine)
{
    ListFileContent read = readListFile(file("", std::string("4:ab\0cd\nxy\0z\n", 13)));
    RunList expected = {{"ab", 4}, {"xy", 2}};
    EXPECT_EQ(read.entries, expected);
}

TEST(ListFileReader, PiecesOfAnySizeReadLikeTheWholeFile)
{
    std::string bytes = file("x\nSequential execute: 1\n", " 14:C:\\Tools\\a.exe -v\n\nlast");
    ListFileContent whole = readListFile(bytes);
    for (std::size_t piece : {1u, 2u, 3u, 7u, 36u}) {
        ListFileReader reader;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            reader.addBytes(bytes.data() + at, std::min(piece, bytes.size() - at));
        ListFileContent read = reader.finish();
        EXPECT_EQ(read.status, whole.status);
        EXPECT_EQ(read.entries, whole.entries);
        EXPECT_EQ(read.orderedRun, whole.orderedRun);
    }
    ListFileReader reader;
    reader.addBytes("bad\n", 4);
    EXPECT_TRUE(reader.refused());
}

TEST(ListFileReader, ManyLinesAndAHugeLine)
{
    std::string entries;
    for (int i = 0; i < 200000; ++i)
        entries += "  1:a\n";
    entries += std::string(3 * 1024 * 1024, 'z') + "\n";
    ListFileContent read = readListFile(file("", entries));
    ASSERT_EQ(read.entries.size(), 200001u);
    EXPECT_EQ(read.entries.back().entryText.size(), 3u * 1024 * 1024);
    EXPECT_EQ(read.entries.back().pathLength, 3 * 1024 * 1024 + 1);
}

TEST(ListFileWriter, TemporaryFileFitsWhereTheListFits)
{
    EXPECT_EQ(temporaryListPath("C:\\seq\\朝.sqx"), "C:\\seq\\朝.sq~");
    // A double-byte last character goes whole; the name never grows.
    EXPECT_EQ(temporaryListPath("C:\\seq\\朝"), "C:\\seq\\~");
    EXPECT_EQ(temporaryListPath("C:\\seq\\a.sq~"), "C:\\seq\\a.sq_");
}

TEST(LeadingNumber, ReadsAsStrtolWithA32BitLong)
{
    auto n = [](const char* text, int base) { return readLeadingNumber(text, base); };
    EXPECT_FALSE(n("", 0).digits);
    EXPECT_FALSE(n(" -x", 0).digits);
    EXPECT_EQ(n(" -x", 0).end, 0u);
    EXPECT_EQ(n("\t\v+17z", 0).value, 17);
    EXPECT_EQ(n("\t\v+17z", 0).end, 5u);
    EXPECT_EQ(n("08", 0).value, 0);  // 8 is no octal digit
    EXPECT_EQ(n("08", 0).end, 1u);
    EXPECT_EQ(n("08", 10).value, 8);
    EXPECT_EQ(n("0X1f", 0).value, 31);
    EXPECT_EQ(n("0xg", 0).end, 1u);
}

}  // namespace
