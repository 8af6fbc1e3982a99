#include "messaging/LineWrap.h"

#include "messaging/ColorCode.h"

#include <QString>
#include <QStringList>

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <random>

// Rows show as text, control characters as ^ (colour) and | (row break).
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"'
        << QString(text).replace(QLatin1Char(kColorControl), u'^').replace(QChar(kRowBreak), u'|')
               .toStdString()
        << '"';
}

namespace {

// Every character 10 pixels wide, except 'W' (25), 'i' (4) and the emoji (20).
qreal Width(char32_t ch)
{
    switch (ch) {
    case U'W':
        return 25;
    case U'i':
        return 4;
    case U'\U0001F600':
        return 20;
    default:
        return 10;
    }
}

std::vector<qreal> Advances(QStringView text, qreal (*width)(char32_t) = Width)
{
    std::vector<qreal> advances(size_t(text.size()), 0.0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
            continue;
        char32_t ch = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
        advances[size_t(i)] = width(ch);
    }
    return advances;
}

QStringList Rows(const QString& text, qreal nLimit, qreal (*width)(char32_t) = Width)
{
    QStringList rows;
    for (const TextRow& row : WrapLine(text, Advances(text, width), nLimit))
        rows.append(text.mid(row.nStart, row.nEnd - row.nStart));
    return rows;
}

// The wrapping rules followed word for word on a copy of the line: markers are inserted or
// replace blanks, and the measuring run is measured afresh after every character.
QStringList ReferenceRows(QString copy, qreal nLimit, qreal (*width)(char32_t))
{
    const auto measure = [&](const QString& run) {
        qreal nWidth = 0;
        for (char32_t ch : run.toUcs4())
            nWidth += width(ch);
        return nWidth;
    };
    QString run;
    qsizetype nLastBreak = -1;
    qsizetype nPos = 0;
    while (nPos < copy.size()) {
        const QChar ch = copy[nPos];
        if (ch == QChar(kRowBreak)) {
            nLastBreak = nPos++;
            run.clear();
            continue;
        }
        if (ch == QLatin1Char(kColorControl)) {
            nPos += qMax(1, ParseDecodedColorCode(QStringView(copy).sliced(nPos)).nLength);
            continue;
        }
        const bool bPair =
            ch.isHighSurrogate() && nPos + 1 < copy.size() && copy[nPos + 1].isLowSurrogate();
        const qsizetype nStep = bPair ? 2 : 1;
        run += copy.mid(nPos, nStep);
        if (measure(run) < nLimit) {
            nPos += nStep;
            continue;
        }
        const qsizetype nBlank = nPos > 0 ? copy.lastIndexOf(u' ', nPos - 1) : -1;
        if (nBlank == 0 && run.size() > nStep) {
            copy.insert(nPos, QChar(kRowBreak));
            nLastBreak = nPos++;
            run.clear();
        } else if (nBlank > 0 && nBlank > nLastBreak) {
            copy[nBlank] = QChar(kRowBreak);
            nLastBreak = nBlank;
            nPos = nBlank + 1;
            run.clear();
        } else {
            run = copy.mid(nPos, nStep);
            nPos += nStep;
        }
    }
    QStringList rows = copy.split(QChar(kRowBreak));
    if (rows.size() > 1 && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

struct WrapCase
{
    const char* name;
    QString text;
    qreal nLimit;
    QStringList expected;
};

void PrintTo(const WrapCase& c, std::ostream* os)
{
    *os << c.name;
}

class WrapLineTest : public ::testing::TestWithParam<WrapCase>
{
};

TEST_P(WrapLineTest, BreaksRows)
{
    const WrapCase& c = GetParam();
    EXPECT_EQ(Rows(c.text, c.nLimit), c.expected) << c.name;
    EXPECT_EQ(ReferenceRows(c.text, c.nLimit, Width), c.expected) << c.name;
}

QString Text(const char16_t* text)
{
    return QString::fromUtf16(text);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WrapLineTest,
    ::testing::Values(
        WrapCase{"empty line is one row", {}, 100, {QString()}},
        WrapCase{"fits", Text(u"aaa bbb"), 71, {Text(u"aaa bbb")}},
        WrapCase{"just too narrow breaks at the blank", Text(u"aaa bbb"), 70,
                 {Text(u"aaa"), Text(u"bbb")}},
        WrapCase{"last blank before the misfit wins", Text(u"aa bb cc dd"), 70,
                 {Text(u"aa bb"), Text(u"cc dd")}},
        WrapCase{"wide word runs on, wrapping resumes after it", Text(u"aaaaaaaaaa bb c"), 45,
                 {Text(u"aaaaaaaaaa"), Text(u"bb c")}},
        WrapCase{"leading blank breaks at the misfit, nothing lost", Text(u" abcdefgh"), 45,
                 {Text(u" abc"), Text(u"defg"), Text(u"h")}},
        WrapCase{"colour codes take no width", Text(u"\x03" "04aaa\x03" "00,04 bbb"), 71,
                 {Text(u"\x03" "04aaa\x03" "00,04 bbb")}},
        WrapCase{"codes stay in their rows", Text(u"\x03" "04aaa\x03" "00,04 bbb"), 70,
                 {Text(u"\x03" "04aaa\x03" "00,04"), Text(u"bbb")}},
        WrapCase{"double blank leaves an empty row", Text(u"aa  bbbbbbbb"), 40,
                 {Text(u"aa"), QString(), Text(u"bbbbbbbb")}},
        WrapCase{"narrower than a character, leading blank", Text(u" abc"), 5,
                 {Text(u" "), Text(u"a"), Text(u"b"), Text(u"c")}},
        WrapCase{"narrower than a character, blanks", Text(u"aa bb"), 5,
                 {Text(u"aa"), Text(u"bb")}},
        WrapCase{"zero width", Text(u"a b"), 0, {Text(u"a"), Text(u"b")}},
        WrapCase{"received break ends a row", Text(u"ab\x1E" "cd"), 100,
                 {Text(u"ab"), Text(u"cd")}},
        WrapCase{"received break at the end draws nothing more", Text(u"ab\x1E"), 100,
                 {Text(u"ab")}},
        WrapCase{"two received breaks leave an empty row", Text(u"a\x1E\x1E" "b"), 100,
                 {Text(u"a"), QString(), Text(u"b")}},
        WrapCase{"a code never swallows a break", Text(u"\x03\x1E" "ab"), 100,
                 {Text(u"\x03"), Text(u"ab")}},
        WrapCase{"a pair of surrogates stays whole",
                 Text(u" \U0001F600\U0001F600\U0001F600"), 25,
                 {Text(u" "), Text(u"\U0001F600"), Text(u"\U0001F600"), Text(u"\U0001F600")}}),
    CaseName());

// Widths with no pattern, so that the comparison below meets uneven runs.
qreal UnevenWidth(char32_t ch)
{
    return qreal((ch * 7919u) % 13u) + 1;
}

// Any line, any width: the fast wrap breaks exactly where the rules do, and rows never split a
// character or lose one.
TEST(WrapLineEquivalence, BreaksWhereTheRulesBreak)
{
    const std::u16string alphabet = u"abW i  0145,-\x03\x03\x1E\u00E9";
    std::mt19937 random(20240611);
    for (int nCase = 0; nCase < 20000; ++nCase) {
        QString text;
        const int nLength = int(random() % 50);
        for (int i = 0; i < nLength; ++i) {
            if (random() % 20 == 0)
                text += Text(u"\U0001F600");
            else
                text += QChar(alphabet[random() % alphabet.size()]);
        }
        const qreal nLimit = qreal(random() % 90);
        const auto width = nCase % 2 ? Width : UnevenWidth;
        ASSERT_EQ(Rows(text, nLimit, width), ReferenceRows(text, nLimit, width))
            << "line " << ::testing::PrintToString(text) << " width " << nLimit;
    }
}

} // namespace
