#include "messaging/StoredFont.h"

#include "settings/Catalogue.h"
#include "support/Bytes.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char* name;
    QByteArray text;
    FontDescription expected;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParseViewFontTest : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseViewFontTest, FillsTheMembersInOrder)
{
    const FontDescription d = ParseViewFont(GetParam().text);
    const FontDescription& e = GetParam().expected;
    EXPECT_EQ(d.lfHeight, e.lfHeight);
    EXPECT_EQ(d.lfWidth, e.lfWidth);
    EXPECT_EQ(d.lfEscapement, e.lfEscapement);
    EXPECT_EQ(d.lfOrientation, e.lfOrientation);
    EXPECT_EQ(d.lfWeight, e.lfWeight);
    EXPECT_EQ(d.lfItalic, e.lfItalic);
    EXPECT_EQ(d.lfUnderline, e.lfUnderline);
    EXPECT_EQ(d.lfStrikeOut, e.lfStrikeOut);
    EXPECT_EQ(d.lfCharSet, e.lfCharSet);
    EXPECT_EQ(d.lfOutPrecision, e.lfOutPrecision);
    EXPECT_EQ(d.lfClipPrecision, e.lfClipPrecision);
    EXPECT_EQ(d.lfQuality, e.lfQuality);
    EXPECT_EQ(d.lfPitchAndFamily, e.lfPitchAndFamily);
    EXPECT_EQ(d.lfFaceName, e.lfFaceName);
}

INSTANTIATE_TEST_SUITE_P(
    StoredFont, ParseViewFontTest,
    ::testing::Values(
        ParseCase{"Default", kViewFont.defaultText.toByteArray(),
                  {-11, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 1, 34, "MS Sans Serif"}},
        ParseCase{"BoldArial", "-13,0,0,0,700,0,0,0,0,0,0,0,0,Arial",
                  {.lfHeight = -13, .lfWeight = 700, .lfFaceName = "Arial"}},
        ParseCase{"RunsOfCommasAreOneSeparator", ",,-13,,,1,2,,,3,700,1,,",
                  {-13, 1, 2, 3, 700, 1, 0, 0, 0, 0, 0, 0, 0, {}}},
        ParseCase{"PiecesPastTheFourteenthIgnored", "1,2,3,4,5,6,7,8,9,10,11,12,13,Face,Other,99",
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, "Face"}},
        ParseCase{"FaceNameKeepsItsBlanks", "1,2,3,4,5,6,7,8,9,10,11,12,13, Sans Serif ",
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, " Sans Serif "}},
        ParseCase{"FaceNameCutTo31Bytes",
                  "-11,0,0,0,400,0,0,0,0,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij",
                  {.lfHeight = -11, .lfWeight = 400, .lfFaceName = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"}},
        // Numbers read as the C library reads them: leading blanks and a sign, digits up to the
        // first other byte, nothing at all as zero, overflow held at the 32-bit limits.
        ParseCase{"NumbersAsTheLibraryReadsThem", " -12px,+7,abc,99999999999,-99999999999",
                  {-12, 7, 0, 2147483647, -2147483647 - 1, 0, 0, 0, 0, 0, 0, 0, 0, {}}},
        // The eight small members keep the low byte of the number.
        ParseCase{"ByteMembersWrap", "0,0,0,0,0,256,-1,300,255,1,1,1,1,F",
                  {0, 0, 0, 0, 0, 0, 255, 44, 255, 1, 1, 1, 1, "F"}},
        ParseCase{"EndsAtAZeroByte", Bytes("-13,0\0,5,6"), {.lfHeight = -13, .lfFaceName = {}}}),
    CaseName());

TEST(StoredFont, FormatsAndReadsBackTheSameDescription)
{
    const FontDescription defaultFont = ParseViewFont(kViewFont.defaultText);
    EXPECT_EQ(FormatViewFont(defaultFont), kViewFont.defaultText.toByteArray());

    const FontDescription font{-16, 3, 900, 900, 700, 1, 1, 1, 238, 3, 2, 5, 49, "DejaVu Sans Mono"};
    EXPECT_EQ(FormatViewFont(font), "-16,3,900,900,700,1,1,1,238,3,2,5,49,DejaVu Sans Mono");
    EXPECT_EQ(ParseViewFont(FormatViewFont(font)), font);
    // Byte members are written unsigned, never as negative numbers.
    EXPECT_EQ(FormatViewFont({.lfItalic = 255, .lfFaceName = "x"}), "0,0,0,0,0,255,0,0,0,0,0,0,0,x");
}

} // namespace
