#include "about/CreditsDlg.h"

#include "resources/DlgItem.h"
#include "resources/resource.h"

#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Ticks come when the test hands them out.
class FakeTimer : public CCreditsTimer
{
public:
    void SetTimer(int nIDEvent, int nElapse, TickHandler onTick) override
    {
        m_nIDEvent = nIDEvent;
        m_nElapse = nElapse;
        m_onTick = std::move(onTick);
        m_bActive = true;
    }
    void KillTimer() override { m_bActive = false; }
    bool IsActive() const override { return m_bActive; }

    int m_nIDEvent = 0;
    int m_nElapse = 0;
    bool m_bActive = false;
    TickHandler m_onTick;
};

class TestCreditsDlg : public CCreditsDlg
{
public:
    TestCreditsDlg(FakeTimer* pTimer, std::span<const char* const> lines)
        : CCreditsDlg(nullptr, std::unique_ptr<CCreditsTimer>(pTimer), lines)
    {
    }
    using CCreditsDlg::m_nLineHeight;
    using CCreditsDlg::m_nNextIndex;
    using CCreditsDlg::m_pDisplay;
    using CCreditsDlg::m_rectDisplay;
    using CCreditsDlg::m_strCurrentLine;
};

// Counts the panel's paints and keeps the areas they were asked for.
class PaintRecorder : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
            m_regions.push_back(static_cast<QPaintEvent*>(pEvent)->region());
        return false;
    }
    std::vector<QRegion> m_regions;
};

class CreditsDlgTest : public ::testing::Test
{
protected:
    void Open(std::span<const char* const> lines)
    {
        m_pTimer = new FakeTimer;
        m_pDlg = std::make_unique<TestCreditsDlg>(m_pTimer, lines);
    }

    // Hands out ticks; returns (tick, index) of each line fetched meanwhile.
    std::vector<std::pair<int, int>> Tick(int nTicks)
    {
        std::vector<std::pair<int, int>> fetched;
        for (int i = 0; i < nTicks && m_pTimer->m_bActive; ++i) {
            const int nIndex = m_pDlg->m_nNextIndex;
            m_pTimer->m_onTick();
            ++m_nTicks;
            if (m_pDlg->m_nNextIndex != nIndex)
                fetched.emplace_back(m_nTicks, nIndex);
        }
        return fetched;
    }

    // The panel's inside as the screen shows it, after the paints that the ticks asked for.
    QImage Shown() const
    {
        const QPoint at = m_pDlg->m_pDisplay->mapTo(m_pDlg.get(), m_pDlg->m_rectDisplay.topLeft());
        const QSize size = m_pDlg->m_rectDisplay.size();
        return m_pDlg->screen()
            ->grabWindow(m_pDlg->winId(), at.x(), at.y(), size.width(), size.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // The panel's inside painted whole, as when it is uncovered.
    QImage Repainted() const
    {
        return m_pDlg->m_pDisplay->grab(m_pDlg->m_rectDisplay)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    FakeTimer* m_pTimer = nullptr;
    std::unique_ptr<TestCreditsDlg> m_pDlg;
    int m_nTicks = 0;
};

// Where the pixels of a colour are, in an image: left, top, right, bottom; null when none.
QRect Extent(const QImage& image, QRgb color)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

TEST_F(CreditsDlgTest, EachLineFollowsAfterTheHeightOfTheLineBefore)
{
    const char* const lines[] = {"Head \n", "",     "plain\f",      "Sub\r", "",
                                 "Minor\t", "odd!", "TestBitmap\b", "last\f"};
    Open(lines);
    EXPECT_EQ(m_pTimer->m_nIDEvent, ID_CREDITS_TIMER);
    EXPECT_EQ(m_pTimer->m_nElapse, 40);
    const std::vector<std::pair<int, int>> expected = {
        {15, 0},  // the first line after 15 ticks
        {36, 1},  // a heading is 21 high
        {57, 2},  // and so is the blank after it
        {72, 3},  // a plain line is 15
        {91, 4},  // a sub-heading 19
        {110, 5}, // and the blank after it
        {127, 6}, // a minor heading 17
        {142, 7}, // an unknown marker makes a plain line
        {167, 8}, // the 10-pixel bitmap rises 11 ticks, then a line's height follows
        {182, 0}, // after the last line, the first again
    };
    EXPECT_EQ(Tick(182), expected);
}

TEST_F(CreditsDlgTest, TheProgramsCreditsStartWithAHeadingAndRepeat)
{
    Open(g_creditLines);
    const std::vector<std::pair<int, int>> fetched = Tick(2000);
    ASSERT_GE(fetched.size(), 36u);
    EXPECT_EQ(fetched[0], std::make_pair(15, 0));
    EXPECT_EQ(fetched[1], std::make_pair(36, 1));
    EXPECT_EQ(fetched[2], std::make_pair(57, 2));
    for (size_t i = 0; i < 36; ++i)
        EXPECT_EQ(fetched[i].second, int(i % 34)) << i;
    EXPECT_TRUE(QByteArray(g_creditLines[0]).endsWith('\n'));
}

TEST_F(CreditsDlgTest, EveryTickPaintsOneRowAndTheRestMovesUp)
{
    const char* const lines[] = {"Tellwick \n", "TestBitmap\b"};
    Open(lines);
    PaintRecorder paints;
    m_pDlg->m_pDisplay->installEventFilter(&paints);
    m_pDlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pDlg.get()));
    QApplication::processEvents();
    const QRect display = m_pDlg->m_rectDisplay;
    EXPECT_TRUE(Extent(Shown(), qRgb(0, 0, 0)) == QRect(QPoint(), display.size()));

    // The heading comes at tick 15 and the bitmap 21 ticks later; 5 more and both are in view.
    for (int i = 0; i < 40; ++i) {
        paints.m_regions.clear();
        Tick(1);
        QApplication::processEvents();
        ASSERT_EQ(paints.m_regions.size(), 1u) << "tick " << m_nTicks;
        EXPECT_EQ(paints.m_regions[0],
                  QRegion(display.left(), display.bottom(), display.width(), 1))
            << "tick " << m_nTicks;
    }
    const QImage shown = Shown();
    EXPECT_TRUE(shown == Repainted());

    // The heading, red, risen 26 rows, centred with its trailing blank; the bitmap below it,
    // its green top row risen 5 rows, centred as whole halves, and drawn whole to its last column.
    const int nBottom = display.height();
    const QRect heading = Extent(shown, qRgb(255, 0, 0));
    ASSERT_FALSE(heading.isNull());
    EXPECT_GE(heading.top(), nBottom - 26);
    EXPECT_LT(heading.bottom(), nBottom - 5);
    const int nCentre = display.width() - display.width() / 2;
    const int nBlank = m_pDlg->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    EXPECT_NEAR((heading.left() + heading.right() + 1) / 2.0, nCentre - 0.5 * nBlank,
                0.5 * nBlank + 1);
    EXPECT_EQ(Extent(shown, qRgb(0, 255, 0)), QRect(nCentre - 10, nBottom - 5, 20, 1));
    EXPECT_EQ(Extent(shown, qRgb(0, 0, 255)), QRect(nCentre - 10, nBottom - 4, 19, 4));
    EXPECT_EQ(Extent(shown, qRgb(255, 0, 255)), QRect(nCentre + 9, nBottom - 4, 1, 4));
}

TEST_F(CreditsDlgTest, AMissingBitmapIsToldOnceAndTheCreditsStop)
{
    const char* const lines[] = {"Nowhere\b", "after\f"};
    Open(lines);
    m_pDlg->show();
    QStringList boxes;
    const auto answer = [&] {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << pBox->windowTitle() + QLatin1Char('|') + pBox->text();
            pBox->button(QMessageBox::Ok)->click();
        }
    };
    QTimer::singleShot(0, answer);
    // The ticks end with the tick that fetched the line.
    EXPECT_EQ(Tick(100), (std::vector<std::pair<int, int>>{{15, 0}}));
    EXPECT_FALSE(m_pTimer->m_bActive);
    EXPECT_EQ(boxes,
              QStringList{QStringLiteral("Tellwick|Could not find bitmap resource \"Nowhere\". Be "
                                         "sure to assign the bitmap a QUOTED resource name")});

    // Uncovered, the panel only repaints.
    QTimer::singleShot(0, answer);
    m_pDlg->m_pDisplay->repaint();
    QApplication::processEvents();
    EXPECT_EQ(boxes.size(), 1);
}

TEST_F(CreditsDlgTest, OkEscapeAndTheCloseBoxEndTheTicks)
{
    const struct
    {
        const char* name;
        std::function<void(QDialog&)> close;
    } ways[] = {
        {"OK", [](QDialog& dlg) { qobject_cast<QPushButton*>(GetDlgItem(&dlg, IDOK))->click(); }},
        {"Escape", [](QDialog& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }},
        {"close box", [](QDialog& dlg) { dlg.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Open(g_creditLines);
        m_pDlg->show();
        Tick(20);
        way.close(*m_pDlg);
        EXPECT_FALSE(m_pDlg->isVisible());
        EXPECT_FALSE(m_pTimer->m_bActive);
    }
}

} // namespace
