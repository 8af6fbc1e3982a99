#include "messaging/ColorCode.h"

#include <QByteArray>

#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

struct CodeCase
{
    const char* name;
    QByteArray text;
    ColorCode expected;
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParseColorCodeTest : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(ParseColorCodeTest, SplitsTheCodeOff)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(ParseColorCode(c.text), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParseColorCodeTest,
    ::testing::Values(
        CodeCase{"control byte alone", "\x03", {1, kNoColor, kNoColor}},
        CodeCase{"one digit", "\x03" "4Hi", {2, 4, kNoColor}},
        CodeCase{"two digits", "\x03" "12x", {3, 12, kNoColor}},
        CodeCase{"one digit at the end", "\x03" "7", {2, 7, kNoColor}},
        CodeCase{"both colours", "\x03" "00,04HEY!", {6, 0, 4}},
        CodeCase{"two-digit fore, one-digit back", "\x03" "12,3x", {5, 12, 3}},
        CodeCase{"one-digit fore, two-digit back", "\x03" "4,12z", {5, 4, 12}},
        CodeCase{"first character swallowed", "\x03" "Hello", {2, 0, kNoColor}},
        CodeCase{"distant comma is text", "\x03" "4Hi, there", {2, 4, kNoColor}},
        CodeCase{"comma after a non-digit pair", "\x03" "4x,5", {2, 4, kNoColor}},
        CodeCase{"non-digit before comma", "\x03" "x,5y", {4, 0, 5}},
        CodeCase{"minus one means none", "\x03" "-1,04a", {6, kNoColor, 4}},
        CodeCase{"minus one background", "\x03" "04,-1a", {6, 4, kNoColor}},
        CodeCase{"other negative kept", "\x03" "-5", {3, -5, kNoColor}},
        CodeCase{"comma ends the text", "\x03" "4,", {3, 4, kNoColor}},
        CodeCase{"lone comma", "\x03" ",", {2, 0, kNoColor}},
        CodeCase{"comma then one character", "\x03" "4,x", {4, 4, 0}},
        CodeCase{"zero byte inside", Bytes("\x03" "4\0" "5"), {2, 4, kNoColor}},
        CodeCase{"code then code", "\x03\x03" "4", {3, 0, kNoColor}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

// Whatever follows the control byte, the code never claims more bytes than the text holds.
TEST(ParseColorCodeTest, NeverReachesPastTheText)
{
    const QByteArray alphabet("0123456789,-x\x03", 14);
    for (char a : alphabet)
        for (char b : alphabet)
            for (char c : alphabet)
                for (int len = 1; len <= 4; ++len) {
                    const QByteArray text = QByteArray("\x03").append(a).append(b).append(c).left(len);
                    const ColorCode code = ParseColorCode(text);
                    ASSERT_GE(code.nLength, 1) << text.toHex().constData();
                    ASSERT_LE(code.nLength, text.size()) << text.toHex().constData();
                }
}

TEST(PaletteColorTest, IndicesOutsideThePaletteUseTheFallback)
{
    const Rgb fallback = MakeRgb(1, 2, 3);
    EXPECT_EQ(PaletteColor(0, fallback), MakeRgb(255, 255, 255));
    EXPECT_EQ(PaletteColor(4, fallback), MakeRgb(255, 0, 0));
    EXPECT_EQ(PaletteColor(7, fallback), MakeRgb(128, 128, 0));
    EXPECT_EQ(PaletteColor(15, fallback), MakeRgb(192, 192, 192));
    for (int nIndex : {16, 99, -1, -5})
        EXPECT_EQ(PaletteColor(nIndex, fallback), fallback) << nIndex;
}

} // namespace
