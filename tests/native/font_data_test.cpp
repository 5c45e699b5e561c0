#include "settings/font_data.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

FontRecord sampleFont()
{
    FontRecord font;
    font.lfHeight = -12;
    font.lfWeight = 400;
    font.lfCharSet = 128;
    font.lfPitchAndFamily = 0x31;
    std::strcpy(font.lfFaceName, "ＭＳ Ｐゴシック");
    return font;
}

FontRecord menuFont()
{
    FontRecord font;
    font.lfHeight = -13;
    std::strcpy(font.lfFaceName, "Menu");
    return font;
}

bool sameRecord(const FontRecord& a, const FontRecord& b)
{
    return std::memcmp(&a, &b, sizeof(FontRecord)) == 0;
}

TEST(FontData, EncodesAllSixtyBytesInMemoryOrder)
{
    std::string text = encodeFontData(sampleFont());
    ASSERT_EQ(text.size(), 120u);
    EXPECT_EQ(text.substr(0, 8), "f4ffffff");
    EXPECT_EQ(text.substr(32, 8), "90010000");  // lfWeight 400
    EXPECT_EQ(text.substr(46, 2), "80");         // lfCharSet 128
    EXPECT_EQ(text.substr(54, 2), "31");
    EXPECT_EQ(text.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(FontData, EmptyFaceNameMeansTheSystemMenuFont)
{
    FontRecord font = sampleFont();
    font.lfFaceName[0] = '\0';
    EXPECT_EQ(encodeFontData(font), "");
    EXPECT_TRUE(sameRecord(decodeFontData("", menuFont()), menuFont()));
}

TEST(FontData, RoundTrip)
{
    FontRecord font = sampleFont();
    EXPECT_TRUE(sameRecord(decodeFontData(encodeFontData(font), menuFont()), font));
}

TEST(FontData, ShortTextLeavesTheMissingBytesZero)
{
    FontRecord font = sampleFont();
    font.lfFaceName[31] = 'z';  // the last byte is not a terminator here
    std::string text = encodeFontData(font);
    FontRecord decoded = decodeFontData(text.substr(0, 118), menuFont());
    EXPECT_EQ(decoded.lfFaceName[31], '\0');
    EXPECT_EQ(decoded.lfHeight, -12);

    // An odd length: the last byte comes from one digit.
    decoded = decodeFontData("f4f", menuFont());
    EXPECT_EQ(decoded.lfHeight, 0x0ff4);
}

TEST(FontData, ReadsEachPairTheWayStrtolDoes)
{
    // Garbage gives 0, leading valid digits count, a sign and blanks are taken.
    EXPECT_EQ(decodeFontData("zz", menuFont()).lfHeight, 0);
    EXPECT_EQ(decodeFontData("7z", menuFont()).lfHeight, 7);
    EXPECT_EQ(decodeFontData(" f", menuFont()).lfHeight, 15);
    EXPECT_EQ(decodeFontData("-1", menuFont()).lfHeight, 0xff);
    EXPECT_EQ(decodeFontData("0x", menuFont()).lfHeight, 0);
    EXPECT_EQ(decodeFontData("FF", menuFont()).lfHeight, 0xff);
}

TEST(FontData, FaceNameIsAlwaysTerminated)
{
    std::string text(120, 'a');  // every byte 0xaa, the face name included
    FontRecord decoded = decodeFontData(text + "trailing text is ignored", menuFont());
    EXPECT_EQ(std::strlen(decoded.lfFaceName), 31u);
    EXPECT_EQ(static_cast<unsigned char>(decoded.lfFaceName[0]), 0xaa);
}

}  // namespace
