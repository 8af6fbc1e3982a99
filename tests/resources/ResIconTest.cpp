#include "resources/ResIcon.h"

#include "resources/resource.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

bool HasPaint(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

QImage RenderFile(const QString& file, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(file);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

TEST(ResIconTest, EveryIconOfTheProgramDrawsAtItsSizes)
{
    const int ids[] = {IDI_MAINFRAME, IDI_TRAY_FLASH_1, IDI_TRAY_FLASH_2, IDI_KEYWORDS,
                       IDI_ALERTS,    IDI_SEND_MESSAGE, IDI_BROWSE,       IDI_COLOR,
                       IDI_DISPLAY,   IDI_OPTIONS,      IDI_DELETE,       IDI_PROPERTIES,
                       IDI_ADD,       IDI_TASK};
    for (int id : ids) {
        SCOPED_TRACE(id);
        const QIcon icon = LoadResIcon(id);
        ASSERT_FALSE(icon.isNull());
        for (int size : {16, 32, 48}) {
            const QPixmap pixmap = icon.pixmap(size);
            EXPECT_EQ(pixmap.size(), QSize(size, size));
            EXPECT_TRUE(HasPaint(pixmap.toImage()));
        }
    }
}

TEST(ResIconTest, SmallSizesUseTheSixteenPixelDrawing)
{
    for (int id : {IDI_MAINFRAME, IDI_TRAY_FLASH_1, IDI_TRAY_FLASH_2, IDI_KEYWORDS, IDI_ALERTS}) {
        SCOPED_TRACE(id);
        const QImage small = RenderFile(QStringLiteral(":/icons/%1-16.svg").arg(id), 16);
        const QImage large = RenderFile(QStringLiteral(":/icons/%1.svg").arg(id), 32);
        const QImage drawn16 = LoadResIcon(id).pixmap(16).toImage().convertToFormat(small.format());
        const QImage drawn32 = LoadResIcon(id).pixmap(32).toImage().convertToFormat(large.format());
        EXPECT_EQ(drawn16, small);
        EXPECT_EQ(drawn32, large);
    }
}

TEST(ResIconTest, DisabledIconIsGrey)
{
    const QImage image = LoadResIcon(IDI_COLOR).pixmap(32, QIcon::Disabled).toImage();
    ASSERT_TRUE(HasPaint(image));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel))
                << x << "," << y;
        }
    }
}

TEST(ResIconTest, ToolBarHasAnImageForEveryButton)
{
    for (int command : {ID_SEND_MESSAGE, ID_CLEAR, ID_FAST_MARK, ID_PROPERTIES, ID_APP_ABOUT}) {
        SCOPED_TRACE(command);
        const QIcon image = LoadToolBarImage(command);
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(HasPaint(image.pixmap(QSize(16, 15)).toImage()));
    }
}

TEST(ResIconTest, UnknownIdsGiveNullIcons)
{
    EXPECT_TRUE(LoadResIcon(9999).isNull());
    EXPECT_TRUE(LoadResIcon(0).isNull());
    EXPECT_TRUE(LoadToolBarImage(ID_HIDE).isNull());
}

} // namespace
