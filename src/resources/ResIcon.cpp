#include "resources/ResIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <memory>

namespace {

// Up to this many device pixels a 16-pixel drawing reads better than a shrunk large one.
constexpr int kSmallDrawingUpTo = 24;

// Renders the drawing that suits each asked size; disabled icons come out grey.
class CResIconEngine final : public QIconEngine
{
public:
    CResIconEngine(QString large, QString small)
        : m_large(std::move(large)), m_small(std::move(small))
    {
    }

    QIconEngine* clone() const override { return new CResIconEngine(m_large, m_small); }
    QString key() const override { return QStringLiteral("CResIconEngine"); }

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = pPainter->device() ? pPainter->device()->devicePixelRatioF() : 1.0;
        QPixmap image = pixmap((QSizeF(rect.size()) * dpr).toSize(), mode, state);
        image.setDevicePixelRatio(dpr);
        pPainter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return {};
        const QString cacheKey = QStringLiteral("%1@%2x%3/%4")
                                     .arg(m_large)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(int(mode));
        QPixmap cached;
        if (QPixmapCache::find(cacheKey, &cached))
            return cached;

        QImage image = Render(size);
        if (mode == QIcon::Disabled)
            Grey(image);
        cached = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(cacheKey, cached);
        return cached;
    }

    // The drawing that suits the size, scaled to it.
    QImage Render(const QSize& size) const
    {
        const bool bSmall =
            !m_small.isEmpty() && qMax(size.width(), size.height()) <= kSmallDrawingUpTo;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(bSmall ? m_small : m_large);
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        return image;
    }

private:
    // A light, half-transparent grey version, the way disabled controls look.
    static void Grey(QImage& image)
    {
        image.convertTo(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int light = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(light, light, light, qAlpha(line[x]) / 2);
            }
        }
    }

    QString m_large;
    QString m_small;
};

CResIconEngine* MakeEngine(const QString& large, const QString& small)
{
    if (!QFile::exists(large))
        return nullptr;
    return new CResIconEngine(large, QFile::exists(small) ? small : QString());
}

QIcon MakeIcon(const QString& large, const QString& small)
{
    CResIconEngine* pEngine = MakeEngine(large, small);
    return pEngine ? QIcon(pEngine) : QIcon();
}

CResIconEngine* MakeResIconEngine(int nId)
{
    return MakeEngine(ResIconPath(nId), ResIconPath(nId, true));
}

} // namespace

QString ResIconPath(int nId, bool bSmallDrawing)
{
    return bSmallDrawing ? QStringLiteral(":/icons/%1-16.svg").arg(nId)
                         : QStringLiteral(":/icons/%1.svg").arg(nId);
}

QIcon LoadResIcon(int nId)
{
    CResIconEngine* pEngine = MakeResIconEngine(nId);
    return pEngine ? QIcon(pEngine) : QIcon();
}

QImage RenderResIcon(int nId, const QSize& size)
{
    const std::unique_ptr<CResIconEngine> pEngine(MakeResIconEngine(nId));
    return pEngine && !size.isEmpty() ? pEngine->Render(size) : QImage();
}

QIcon LoadToolBarImage(int nCommandId)
{
    return MakeIcon(QStringLiteral(":/toolbar/%1.svg").arg(nCommandId), QString());
}
