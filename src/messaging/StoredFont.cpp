#include "messaging/StoredFont.h"

#include "settings/Catalogue.h"
#include "settings/StoredNumber.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace {

// Out-of-range numbers stop at the nearest 32-bit limit and no number at all reads as zero, as
// the platform's atol does.
qint32 ToLong(QByteArrayView piece)
{
    qsizetype pos = 0;
    return qint32(std::clamp<qint64>(ScanStoredNumber(piece, pos).value_or(0),
                                     std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

} // namespace

FontDescription ParseViewFont(QByteArrayView text)
{
    // A stored string ends at its first zero byte.
    if (const qsizetype end = text.indexOf('\0'); end >= 0)
        text = text.first(end);

    FontDescription d;
    const std::array<qint32*, 5> longs{&d.lfHeight, &d.lfWidth, &d.lfEscapement, &d.lfOrientation,
                                       &d.lfWeight};
    const std::array<quint8*, 8> bytes{&d.lfItalic,       &d.lfUnderline,     &d.lfStrikeOut,
                                       &d.lfCharSet,      &d.lfOutPrecision,  &d.lfClipPrecision,
                                       &d.lfQuality,      &d.lfPitchAndFamily};
    size_t nPiece = 0;
    qsizetype pos = 0;
    while (pos < text.size() && nPiece <= longs.size() + bytes.size()) {
        qsizetype end = text.indexOf(',', pos);
        if (end < 0)
            end = text.size();
        const QByteArrayView piece = text.sliced(pos, end - pos);
        pos = end + 1;
        if (piece.isEmpty())
            continue;
        if (nPiece < longs.size())
            *longs[nPiece] = ToLong(piece);
        else if (nPiece < longs.size() + bytes.size())
            *bytes[nPiece - longs.size()] = quint8(ToLong(piece)); // kept in one byte, as stored
        else
            d.lfFaceName = piece.first(std::min(piece.size(), FontDescription::kMaxFaceName))
                               .toByteArray();
        ++nPiece;
    }
    return d;
}

QByteArray FormatViewFont(const FontDescription& d)
{
    const auto format = [&d](char* pBuffer, size_t nSize) {
        return std::snprintf(pBuffer, nSize, kViewFontFormat, int(d.lfHeight), int(d.lfWidth),
                             int(d.lfEscapement), int(d.lfOrientation), int(d.lfWeight),
                             int(d.lfItalic), int(d.lfUnderline), int(d.lfStrikeOut),
                             int(d.lfCharSet), int(d.lfOutPrecision), int(d.lfClipPrecision),
                             int(d.lfQuality), int(d.lfPitchAndFamily), d.lfFaceName.constData());
    };
    QByteArray text(std::max(format(nullptr, 0), 0), Qt::Uninitialized);
    format(text.data(), size_t(text.size()) + 1);
    return text;
}
