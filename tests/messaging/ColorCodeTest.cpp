#include "messaging/ColorCode.h"

#include <QByteArray>
#include <QString>

#include "support/Bytes.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>


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
    CaseName{});

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

struct DecodedCase
{
    const char* name;
    const char16_t* text;
    ColorCode expected;
};

// On decoded text a code counts UTF-16 units, swallows whole characters and stops at a row break.
TEST(ParseDecodedColorCodeTest, SplitsTheCodeOffWholeCharacters)
{
    const DecodedCase cases[] = {
        {"both colours", u"\x03" "00,04HEY!", {6, 0, 4}},
        {"non-ASCII character swallowed whole", u"\x03\u00E9t\u00E9", {2, 0, kNoColor}},
        {"surrogate pair swallowed whole", u"\x03\U0001F600x", {3, 0, kNoColor}},
        {"non-ASCII digit is no digit", u"\x03" "4\u0663x", {2, 4, kNoColor}},
        {"row break ends the code", u"\x03" "4\x1E" "5", {2, 4, kNoColor}},
        {"row break right after the control", u"\x03\x1E" "12", {1, kNoColor, kNoColor}},
        {"row break before the background", u"\x03" "4,\x1E" "5", {3, 4, kNoColor}},
    };
    for (const DecodedCase& c : cases)
        EXPECT_EQ(ParseDecodedColorCode(QString::fromUtf16(c.text)), c.expected) << c.name;
}

TEST(ParseDecodedColorCodeTest, AgreesWithTheByteGrammarOnAscii)
{
    const char alphabet[] = {'0', '4', '9', ',', '-', 'x', ' '};
    for (char a : alphabet)
        for (char b : alphabet)
            for (char c : alphabet)
                for (char d : alphabet) {
                    const QByteArray text =
                        QByteArray("\x03").append(a).append(b).append(c).append(d);
                    const QString decoded = QString::fromLatin1(text);
                    ASSERT_EQ(ParseDecodedColorCode(decoded), ParseColorCode(text))
                        << text.toHex().constData();
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
