#include "messaging/FontConversion.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FontCase
{
    const char* name;
    FontDescription description;
    int nPixelSize;
    int nWeight;
    bool bItalic;
    bool bUnderline;
    bool bStrikeOut;
    bool bFixedPitch;
    QFont::StyleHint hint;
};

void PrintTo(const FontCase& c, std::ostream* os)
{
    *os << c.name;
}

class ToQFontTest : public ::testing::TestWithParam<FontCase>
{
};

TEST_P(ToQFontTest, AsksForTheDescribedFont)
{
    const FontCase& c = GetParam();
    const QFont font = ToQFont(c.description);
    EXPECT_EQ(font.pixelSize(), c.nPixelSize);
    EXPECT_EQ(font.weight(), c.nWeight);
    EXPECT_EQ(font.italic(), c.bItalic);
    EXPECT_EQ(font.underline(), c.bUnderline);
    EXPECT_EQ(font.strikeOut(), c.bStrikeOut);
    EXPECT_EQ(font.fixedPitch(), c.bFixedPitch);
    EXPECT_EQ(font.styleHint(), c.hint);
    EXPECT_EQ(font.family(), QString::fromLocal8Bit(c.description.lfFaceName));
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, ToQFontTest,
    ::testing::Values(
        FontCase{"bold arial 13 px", {.lfHeight = -13, .lfWeight = 700, .lfFaceName = "Arial"},
                 13, QFont::Bold, false, false, false, false, QFont::AnyStyle},
        FontCase{"stored default",
                 {.lfHeight = -11, .lfWeight = 400, .lfOutPrecision = 1, .lfClipPrecision = 2,
                  .lfQuality = 1, .lfPitchAndFamily = 34, .lfFaceName = "MS Sans Serif"},
                 11, QFont::Normal, false, false, false, false, QFont::SansSerif},
        FontCase{"effects",
                 {.lfHeight = -16, .lfItalic = 1, .lfUnderline = 1, .lfStrikeOut = 255,
                  .lfFaceName = "DejaVu Serif"},
                 16, QFont::Normal, true, true, true, false, QFont::AnyStyle},
        FontCase{"fixed pitch, modern family",
                 {.lfHeight = -12, .lfWeight = 400, .lfPitchAndFamily = 0x31,
                  .lfFaceName = "DejaVu Sans Mono"},
                 12, QFont::Normal, false, false, false, true, QFont::Monospace},
        FontCase{"absurd height and weight are bounded",
                 {.lfHeight = INT_MIN, .lfWeight = 5000, .lfFaceName = "DejaVu Sans"},
                 1000, 1000, false, false, false, false, QFont::AnyStyle},
        FontCase{"huge positive height is bounded",
                 {.lfHeight = INT_MAX, .lfWeight = -3, .lfFaceName = "DejaVu Sans"},
                 1000, QFont::Normal, false, false, false, false, QFont::AnyStyle}),
    CaseName());

TEST(ToQFont, PositiveHeightIsTheWholeCell)
{
    const QFont font = ToQFont({.lfHeight = 20, .lfFaceName = "DejaVu Sans"});
    const int nCell = QFontMetrics(font).height();
    EXPECT_LE(nCell, 20);
    EXPECT_GE(nCell, 17);
}

TEST(ToFontDescription, RoundTripKeepsWhatTheUserChose)
{
    const FontDescription chosen{.lfHeight = -15, .lfWeight = 700, .lfItalic = 1,
                                 .lfUnderline = 1, .lfPitchAndFamily = 0x31,
                                 .lfFaceName = "DejaVu Sans Mono"};
    const FontDescription back = ToFontDescription(ToQFont(chosen));
    EXPECT_EQ(back.lfHeight, -15);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_EQ(back.lfStrikeOut, 0);
    EXPECT_TRUE(back.IsFixedPitch());
    EXPECT_EQ(back.lfPitchAndFamily & FontDescription::kFamilyMask, 0x30);
    EXPECT_EQ(back.lfFaceName, QByteArray("DejaVu Sans Mono"));
}

TEST(ToFontDescription, PointSizedFontGetsPixelHeight)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    EXPECT_EQ(ToFontDescription(font).lfHeight, -QFontInfo(font).pixelSize());
}

TEST(ToFontDescription, LongFaceNameIsCutBetweenCharacters)
{
    // 20 two-byte characters: 40 bytes, cut to the 15 whole ones that fit in 31.
    const QString family(20, QChar(0x00E9));
    const QByteArray face = ToFontDescription(QFont(family)).lfFaceName;
    EXPECT_EQ(face, QString(15, QChar(0x00E9)).toLocal8Bit());
}

} // namespace
