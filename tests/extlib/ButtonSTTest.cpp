#include "extlib/orvocmn/ButtonST.h"

#include "resources/resource.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The area of clearly coloured (not grey) pixels: where the colour icon's paint dots are.
QRect ColouredArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && c.hsvSaturation() > 150 && c.value() > 80)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

QImage Render(CButtonST& button)
{
    return button.grab().toImage();
}

TEST(ButtonSTTest, IconIsDrawnAtTheAskedSizeWhenThereIsRoomAndShrinksToFitOtherwise)
{
    CButtonST button;
    button.SetIcon(IDI_COLOR, 0, 32, 32);
    button.resize(button.sizeHint());
    const QRect full = ColouredArea(Render(button));
    ASSERT_FALSE(full.isEmpty());
    // The paint dots span about two thirds of the drawing.
    EXPECT_GE(full.width(), 18);
    EXPECT_LE(full.width(), 32);

    button.resize(22, 22);
    const QRect squeezed = ColouredArea(Render(button));
    ASSERT_FALSE(squeezed.isEmpty());
    EXPECT_LT(squeezed.width(), full.width());
    EXPECT_TRUE(QRect(0, 0, 22, 22).contains(squeezed));
}

TEST(ButtonSTTest, CaptionStandsWhereTheAlignmentPutsIt)
{
    const struct
    {
        int nAlign;
        bool bIconLeft, bIconRight, bIconAbove;
    } cases[] = {
        {CButtonST::AlignIconLeft, true, false, false},
        {CButtonST::AlignIconRight, false, true, false},
        {CButtonST::AlignIconAbove, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nAlign);
        CButtonST button;
        button.setText(QStringLiteral("&Color"));
        button.SetIcon(IDI_COLOR, 0, 32, 32);
        button.SetAlign(c.nAlign);
        const QSize hint = button.sizeHint();
        button.resize(hint);
        const QRect icon = ColouredArea(Render(button));
        ASSERT_FALSE(icon.isEmpty());
        const QPoint centre = icon.center();
        EXPECT_EQ(centre.x() < hint.width() / 2 - 8, c.bIconLeft);
        EXPECT_EQ(centre.x() > hint.width() / 2 + 8, c.bIconRight);
        EXPECT_EQ(centre.y() < hint.height() / 2 - 4, c.bIconAbove);
    }
}

TEST(ButtonSTTest, DisabledButtonShowsItsIconGrey)
{
    CButtonST button;
    button.SetIcon(IDI_COLOR, 0, 32, 32);
    button.resize(button.sizeHint());
    button.setEnabled(false);
    EXPECT_TRUE(ColouredArea(Render(button)).isEmpty());
}

TEST(ButtonSTTest, UnknownIconDrawsNothing)
{
    CButtonST button;
    button.SetIcon(9999, 0, 32, 32);
    button.resize(button.sizeHint());
    EXPECT_TRUE(ColouredArea(Render(button)).isEmpty());
}

TEST(ButtonSTTest, ClickAndMnemonicReachTheOwnerAsClicks)
{
    QWidget dialog;
    auto* pButton = new CButtonST(&dialog);
    pButton->setText(QStringLiteral("&Color"));
    pButton->SetIcon(IDI_COLOR, 0, 32, 32);
    QSignalSpy clicks(pButton, &QPushButton::clicked);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    QTest::mouseClick(pButton, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    // A mnemonic presses the button and clicks it a moment later, as on every push button.
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(pButton->isDown());
    pButton->setDown(false);

    pButton->setEnabled(false);
    QTest::mouseClick(pButton, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
