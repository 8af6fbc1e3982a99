#include "messaging/TextView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStringList>
#include <QtMath>

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Request = CTextView::ScrollRequest;

// Opens the view's insides to the tests, the way a derived window sees them.
class TestView : public CTextView
{
public:
    TestView()
    {
        SetViewFont({.lfHeight = -12, .lfWeight = 400, .lfFaceName = "DejaVu Sans"});
    }

    using CTextView::m_crBackground;
    using CTextView::m_lines;
    using CTextView::m_nAveCharWidth;
    using CTextView::m_nBottomLine;
    using CTextView::m_nLineHeight;
    using CTextView::TextWidth;
    using CTextView::WrapLine;

    int Count() const { return int(m_lines.size()); }
    QByteArray BottomText() const { return m_lines.at(size_t(m_nBottomLine)); }

    QImage Render(int nWidth, int nHeight)
    {
        QImage image(nWidth, nHeight, QImage::Format_RGB32);
        image.fill(Qt::green); // whatever painting leaves untouched shows up
        QPainter dc(&image);
        OnPaint(dc, image.rect());
        return image;
    }

    void AddNumbered(int nFrom, int nTo)
    {
        for (int i = nFrom; i < nTo; ++i)
            AddLine(QByteArray::number(i));
    }
};

// How many pixels of a band of rows pass a test.
int CountPixels(const QImage& image, int nTop, int nBottom, int nLeft, int nRight,
                const std::function<bool(QColor)>& test)
{
    int nCount = 0;
    for (int y = qMax(nTop, 0); y < qMin(nBottom, image.height()); ++y)
        for (int x = qMax(nLeft, 0); x < qMin(nRight, image.width()); ++x)
            nCount += test(image.pixelColor(x, y)) ? 1 : 0;
    return nCount;
}

bool IsReddish(QColor c)
{
    return c.red() > 200 && c.green() < 150 && c.blue() < 150;
}

bool IsPureRed(QColor c)
{
    return c == QColor(255, 0, 0);
}

bool IsDark(QColor c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

bool IsColoured(QColor c)
{
    return qMax(qAbs(c.red() - c.green()), qAbs(c.green() - c.blue())) > 30;
}

TEST(TextViewScrolling, FollowsUnlessScrolledBack)
{
    TestView view;
    EXPECT_EQ(view.m_nBottomLine, -1);
    view.AddLine("first");
    EXPECT_EQ(view.m_nBottomLine, 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0); // one line: no scroll bar
    view.AddNumbered(1, 10);
    EXPECT_EQ(view.m_nBottomLine, 9);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 9);
    EXPECT_EQ(view.verticalScrollBar()->value(), 9);

    for (int i = 0; i < 5; ++i)
        view.OnVScroll(Request::LineUp);
    view.AddLine("new");
    EXPECT_EQ(view.m_nBottomLine, 4) << "a scrolled-back view stays put";
    EXPECT_EQ(view.verticalScrollBar()->value(), 4);

    view.OnVScroll(Request::Bottom);
    EXPECT_EQ(view.m_nBottomLine, 10);
    view.AddLine("newer");
    EXPECT_EQ(view.m_nBottomLine, 11) << "back at the bottom, the view follows again";
}

struct ScrollCase
{
    const char* name;
    std::function<void(TestView&)> request;
    int nExpected;
};

void PrintTo(const ScrollCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextViewScrollRequest : public ::testing::TestWithParam<ScrollCase>
{
};

// Twelve lines with line 5 at the bottom; every step moves by one stored line.
TEST_P(TextViewScrollRequest, MovesByStoredLines)
{
    TestView view;
    view.AddNumbered(0, 12);
    view.SetBottomLine(5);
    GetParam().request(view);
    EXPECT_EQ(view.m_nBottomLine, GetParam().nExpected);
    EXPECT_EQ(view.verticalScrollBar()->value(), GetParam().nExpected);
}

auto Scroll(Request request, int nThumb = 0)
{
    return [=](TestView& view) { view.OnVScroll(request, nThumb); };
}

auto BarAction(QAbstractSlider::SliderAction action)
{
    return [=](TestView& view) { view.verticalScrollBar()->triggerAction(action); };
}

INSTANTIATE_TEST_SUITE_P(
    Requests, TextViewScrollRequest,
    ::testing::Values(
        ScrollCase{"line up", Scroll(Request::LineUp), 4},
        ScrollCase{"page up is one line too", Scroll(Request::PageUp), 4},
        ScrollCase{"line down", Scroll(Request::LineDown), 6},
        ScrollCase{"top", Scroll(Request::Top), 0},
        ScrollCase{"bottom", Scroll(Request::Bottom), 11},
        ScrollCase{"thumb", Scroll(Request::Thumb, 8), 8},
        ScrollCase{"thumb past the end is clamped", Scroll(Request::Thumb, 40), 11},
        ScrollCase{"end of scrolling changes nothing", Scroll(Request::EndScroll), 5},
        ScrollCase{"line up stops at the first line",
                   [](TestView& view) {
                       view.SetBottomLine(0);
                       view.OnVScroll(Request::LineUp);
                   },
                   0},
        ScrollCase{"scroll bar page up", BarAction(QAbstractSlider::SliderPageStepSub), 4},
        ScrollCase{"scroll bar to the bottom", BarAction(QAbstractSlider::SliderToMaximum), 11},
        ScrollCase{"dragging the thumb",
                   [](TestView& view) { view.verticalScrollBar()->setSliderPosition(9); }, 9}),
    CaseName());

TEST(TextViewLineLimit, DropsOneOldLinePerNewLine)
{
    TestView view;
    view.SetMaxLines(150);
    view.AddNumbered(0, 150);
    view.AddLine("150");
    EXPECT_EQ(view.Count(), 150);
    EXPECT_EQ(view.m_lines.front(), "1");
    EXPECT_EQ(view.m_nBottomLine, 149) << "still following";

    // Scrolled back, the same line stays at the bottom while old lines leave.
    view.SetBottomLine(100);
    const QByteArray shown = view.BottomText();
    view.AddNumbered(151, 160);
    EXPECT_EQ(view.BottomText(), shown);

    // A lower limit does not shorten the store at once: one old line leaves per new one.
    view.SetMaxLines(20);
    view.OnVScroll(Request::Bottom);
    view.AddNumbered(160, 165);
    EXPECT_EQ(view.Count(), 150);
    EXPECT_EQ(view.m_lines.front(), "15");
    EXPECT_EQ(view.m_lines.back(), "164");
    EXPECT_EQ(view.m_nBottomLine, 149);
}

TEST(TextViewLineLimit, ScrolledToTheOldestLineKeepsTheTop)
{
    TestView view;
    view.SetMaxLines(10);
    view.AddNumbered(0, 10);
    view.SetBottomLine(0);
    view.AddLine("10");
    EXPECT_EQ(view.m_nBottomLine, 0);
    EXPECT_EQ(view.BottomText(), "1");
}

TEST(TextViewClear, EmptiesStoreAndWindow)
{
    TestView view;
    view.AddNumbered(0, 30);
    view.Clear();
    EXPECT_EQ(view.Count(), 0);
    EXPECT_EQ(view.m_nBottomLine, -1);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    const QImage image = view.Render(200, 120);
    const auto notBackground = [&](QColor c) { return c != view.m_crBackground; };
    EXPECT_EQ(CountPixels(image, 0, 120, 0, 200, notBackground), 0);
    view.AddLine("again");
    EXPECT_EQ(view.m_nBottomLine, 0);
}

TEST(TextViewPaint, FirstLineSitsAtTheBottom)
{
    TestView view;
    view.AddLine("Hello there");
    const QImage image = view.Render(200, 120);
    const int nRowTop = 120 - view.m_nLineHeight;
    EXPECT_GT(CountPixels(image, nRowTop, 120, 0, 200, IsDark), 10);
    EXPECT_EQ(CountPixels(image, 0, nRowTop, 0, 200,
                          [&](QColor c) { return c != view.m_crBackground; }),
              0);
}

// 'Alarm' in red, then white on red; the colours run on into the line's next row but not into
// the next line.
TEST(TextViewPaint, ColoursCarryAcrossRowsNotLines)
{
    TestView view;
    const QByteArray line("\x03" "04Alarm\x03" "00,04 now the disk is full");
    view.AddLine(line);
    view.AddLine("plain words");
    const int nWidth = 120;
    const QString text = QString::fromLocal8Bit(line);
    ASSERT_GE(view.WrapLine(text, nWidth).size(), 2u);

    const int nHeight = 200;
    const int nLine = view.m_nLineHeight;
    const QImage image = view.Render(nWidth, nHeight);
    const int nRows = int(view.WrapLine(text, nWidth).size());
    const int nFirstTop = nHeight - nLine * (nRows + 1);
    const int nAlarm = int(view.TextWidth(u"Alarm"));

    EXPECT_GT(CountPixels(image, nFirstTop, nFirstTop + nLine, 0, nAlarm, IsReddish), 10);
    EXPECT_GT(CountPixels(image, nFirstTop, nFirstTop + nLine, 0, nAlarm,
                          [&](QColor c) { return c == view.m_crBackground; }),
              nAlarm * nLine / 2)
        << "the window's background behind 'Alarm'";
    EXPECT_GT(CountPixels(image, nFirstTop, nFirstTop + nLine, nAlarm, nWidth, IsPureRed),
              (nWidth - nAlarm) * nLine / 2)
        << "white on red after it";
    EXPECT_GT(CountPixels(image, nFirstTop + nLine, nFirstTop + 2 * nLine, 0, 20, IsPureRed),
              20 * nLine / 2)
        << "the second row is still on red";
    EXPECT_EQ(CountPixels(image, nHeight - nLine, nHeight, 0, nWidth, IsColoured), 0)
        << "the next line starts in plain colours";
    EXPECT_GT(CountPixels(image, nHeight - nLine, nHeight, 0, nWidth, IsDark), 10);
}

struct ThemeCase
{
    const char* name;
    bool bApplicationWide; // else set on the view alone
};

void PrintTo(const ThemeCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextViewTheme : public ::testing::TestWithParam<ThemeCase>
{
};

// A dark palette arriving while the view runs: plain text takes the palette's text colour on
// its base, while colour codes keep their exact colours, black included.
TEST_P(TextViewTheme, PlainTextFollowsThePaletteCodesDoNot)
{
    TestView view;
    view.AddLine("plain words");
    view.AddLine("\x03" "01black\x03" "00,02 white on navy");
    // Neither is grey, so that neither black nor white text nor their blends pass for them.
    const QColor crBase(20, 60, 60);
    const QColor crText(230, 180, 40);
    const QPalette saved = QApplication::palette();
    QPalette dark = view.palette();
    dark.setColor(QPalette::Base, crBase);
    dark.setColor(QPalette::Text, crText);
    if (GetParam().bApplicationWide) {
        QApplication::setPalette(dark);
        QCoreApplication::sendPostedEvents(); // the widgets hear of it through posted events
    } else {
        view.setPalette(dark);
    }

    const int nLine = view.m_nLineHeight;
    const int nHeight = 4 * nLine;
    const QImage image = view.Render(200, nHeight);
    if (GetParam().bApplicationWide)
        QApplication::setPalette(saved);

    const int nPlainTop = nHeight - 2 * nLine;
    const int nBlack = int(view.TextWidth(u"black"));
    const auto nearText = [&](QColor c) {
        return qAbs(c.red() - crText.red()) < 30 && qAbs(c.green() - crText.green()) < 30 &&
               qAbs(c.blue() - crText.blue()) < 30;
    };
    EXPECT_EQ(CountPixels(image, 0, nPlainTop, 0, 200, [&](QColor c) { return c != crBase; }), 0)
        << "the base above the lines";
    EXPECT_GT(CountPixels(image, nPlainTop, nPlainTop + nLine, 0, 200, nearText), 10);
    EXPECT_GT(CountPixels(image, nHeight - nLine, nHeight, 0, nBlack,
                          [](QColor c) { return c.red() < 10 && c.green() < 30; }), 10)
        << "black stays black";
    EXPECT_GT(CountPixels(image, nHeight - nLine, nHeight, nBlack, 200,
                          [](QColor c) { return c == QColor(0, 0, 128); }),
              int(view.TextWidth(u" white on navy")) * nLine / 2)
        << "navy stays navy";
}

INSTANTIATE_TEST_SUITE_P(Palettes, TextViewTheme,
                         ::testing::Values(ThemeCase{"the view's palette", false},
                                           ThemeCase{"the application's palette", true}),
                         CaseName());

// The font's own widths decide the breaks: 'aaa bbb' in a window just too narrow for it takes
// two rows, one pixel wider one row; a line with only a leading blank breaks at each misfit.
TEST(TextViewPaint, WrapsByTheFontsWidths)
{
    TestView view;
    const int nFull = qFloor(view.TextWidth(u"aaa bbb"));
    const auto rowsAt = [&](const char16_t* text, int nWidth) {
        QStringList rows;
        const QString line = QString::fromUtf16(text);
        for (const TextRow& row : view.WrapLine(line, nWidth))
            rows.append(line.mid(row.nStart, row.nEnd - row.nStart));
        return rows;
    };
    EXPECT_EQ(rowsAt(u"aaa bbb", nFull),
              (QStringList{QStringLiteral("aaa"), QStringLiteral("bbb")}));
    EXPECT_EQ(rowsAt(u"aaa bbb", nFull + 1), QStringList{QStringLiteral("aaa bbb")});
    const int nTwoWs = qFloor(view.TextWidth(u" WW")) + 1;
    EXPECT_EQ(rowsAt(u" WWWWW", nTwoWs),
              (QStringList{QStringLiteral(" WW"), QStringLiteral("WW"), QStringLiteral("W")}));

    view.AddLine("aaa bbb");
    const int nLine = view.m_nLineHeight;
    const QImage image = view.Render(nFull, 4 * nLine);
    EXPECT_GT(CountPixels(image, 2 * nLine, 3 * nLine, 0, nFull, IsDark), 5) << "'aaa'";
    EXPECT_GT(CountPixels(image, 3 * nLine, 4 * nLine, 0, nFull, IsDark), 5) << "'bbb'";
}

TEST(TextViewPaint, ColoursOutsideThePaletteDrawAsPlainText)
{
    TestView view;
    view.AddLine("\x03" "99,77plain after all");
    const QImage image = view.Render(200, 40);
    EXPECT_EQ(CountPixels(image, 0, 40, 0, 200, IsColoured), 0);
    EXPECT_GT(CountPixels(image, 0, 40, 0, 200, IsDark), 10);
}

// A received row-break byte takes a row of its own, so the line above is not overdrawn.
TEST(TextViewPaint, ReceivedRowBreakTakesItsRow)
{
    TestView view;
    view.AddLine("x");
    view.AddLine("ab\x1E" "cd");
    const int nLine = view.m_nLineHeight;
    const QImage image = view.Render(200, 10 * nLine);
    const int nXTop = 10 * nLine - 3 * nLine;
    EXPECT_GT(CountPixels(image, nXTop, nXTop + nLine, 0, 200, IsDark), 3);
    EXPECT_EQ(CountPixels(image, 0, nXTop, 0, 200, IsDark), 0);
}

struct OddCase
{
    const char* name;
    QByteArray line;
    int nWidth;
};

void PrintTo(const OddCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextViewOddInput : public ::testing::TestWithParam<OddCase>
{
};

// Whatever arrives and however narrow the window, painting ends and covers every pixel.
TEST_P(TextViewOddInput, PaintsEveryPixel)
{
    TestView view;
    for (int i = 0; i < 3; ++i)
        view.AddLine(GetParam().line);
    const QImage image = view.Render(GetParam().nWidth, 300);
    EXPECT_EQ(CountPixels(image, 0, 300, 0, GetParam().nWidth,
                          [](QColor c) { return c == QColor(Qt::green); }),
              0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextViewOddInput,
    ::testing::Values(
        OddCase{"window narrower than a character", " leading blank and words", 1},
        OddCase{"zero-width window", "some words here", 0},
        OddCase{"invalid multi-byte sequences", "\xff\xfe\xc3 abc \xe2\x82", 60},
        OddCase{"multi-byte text", "h\xc3\xa9llo w\xc3\xb6rld \xe2\x82\xac\xe2\x82\xac\xe2\x82\xac",
                40},
        OddCase{"code at the very end", "text\x03", 100},
        OddCase{"only codes", "\x03" "04\x03" "00,04\x03", 100},
        OddCase{"empty line", "", 100}),
    CaseName());

TEST(TextViewFont, FixedPitchMeasuresEveryCharacterAsAverage)
{
    TestView view;
    EXPECT_NE(view.TextWidth(u"iiii"), view.TextWidth(u"WWWW"));

    const FontDescription fixed{.lfHeight = -12, .lfWeight = 400,
                                .lfPitchAndFamily = FontDescription::kFixedPitch,
                                .lfFaceName = "DejaVu Sans"};
    view.SetViewFont(fixed);
    EXPECT_EQ(view.TextWidth(u"iiii"), 4 * view.m_nAveCharWidth);
    EXPECT_EQ(view.TextWidth(u"WWWW"), 4 * view.m_nAveCharWidth);
    FontDescription back;
    ASSERT_TRUE(view.GetViewFont(back));
    EXPECT_EQ(back, fixed);
}

} // namespace
