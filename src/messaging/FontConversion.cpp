#include "messaging/FontConversion.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>

namespace {

// Families in the high nibble of the pitch-and-family byte.
constexpr quint8 kRoman = 0x10;
constexpr quint8 kSwiss = 0x20;
constexpr quint8 kModern = 0x30;
constexpr quint8 kScript = 0x40;
constexpr quint8 kDecorative = 0x50;
// Output qualities that choose smoothing.
constexpr quint8 kNonAntialiasedQuality = 3;
constexpr quint8 kAntialiasedQuality = 4;
constexpr quint8 kClearTypeQuality = 5;
// Stored descriptions are outside input: keep sizes to what a screen can show.
constexpr qint64 kMaxPixels = 1000;

QFont::StyleHint HintOfFamily(quint8 nPitchAndFamily)
{
    switch (nPitchAndFamily & FontDescription::kFamilyMask) {
    case kRoman:
        return QFont::Serif;
    case kSwiss:
        return QFont::SansSerif;
    case kModern:
        return QFont::Monospace;
    case kScript:
        return QFont::Cursive;
    case kDecorative:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

quint8 FamilyOfHint(QFont::StyleHint hint)
{
    switch (hint) {
    case QFont::Serif:
        return kRoman;
    case QFont::SansSerif:
        return kSwiss;
    case QFont::Monospace:
    case QFont::TypeWriter:
        return kModern;
    case QFont::Cursive:
        return kScript;
    case QFont::Decorative:
        return kDecorative;
    default:
        return 0;
    }
}

int ClampPixels(qint64 nPixels)
{
    return int(std::clamp<qint64>(nPixels, 1, kMaxPixels));
}

// The face name in the system code page, cut to what the record holds without splitting a
// character.
QByteArray FaceName(QString family)
{
    QByteArray face = family.toLocal8Bit();
    while (face.size() > FontDescription::kMaxFaceName) {
        family.chop(family.size() > 1 && family.back().isLowSurrogate() ? 2 : 1);
        face = family.toLocal8Bit();
    }
    return face;
}

} // namespace

QFont ToQFont(const FontDescription& description)
{
    QFont font;
    if (!description.lfFaceName.isEmpty())
        font.setFamily(QString::fromLocal8Bit(description.lfFaceName));
    font.setStyleHint(HintOfFamily(description.lfPitchAndFamily));
    font.setFixedPitch(description.IsFixedPitch());
    // Widths are measured character by character, as the text is drawn: no kerning.
    font.setKerning(false);

    const qint64 nHeight = description.lfHeight;
    if (nHeight < 0) {
        font.setPixelSize(ClampPixels(-nHeight));
    } else if (nHeight > 0) {
        // A positive height is the whole cell; scale the character size down to fit it.
        font.setPixelSize(ClampPixels(nHeight));
        const int nCell = QFontMetrics(font).height();
        if (nCell > nHeight)
            font.setPixelSize(ClampPixels(nHeight * nHeight / nCell));
    } else {
        font.setPixelSize(ClampPixels(QFontInfo(QGuiApplication::font()).pixelSize()));
    }

    if (description.lfWeight > 0)
        font.setWeight(QFont::Weight(std::clamp(description.lfWeight, 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(description.lfItalic != 0);
    font.setUnderline(description.lfUnderline != 0);
    font.setStrikeOut(description.lfStrikeOut != 0);

    if (description.lfWidth > 0) {
        const int nAverage = QFontMetrics(font).averageCharWidth();
        if (nAverage > 0)
            font.setStretch(int(std::clamp<qint64>(qint64(description.lfWidth) * 100 / nAverage,
                                                    1, 4000)));
    }
    if (description.lfQuality == kNonAntialiasedQuality)
        font.setStyleStrategy(QFont::NoAntialias);
    else if (description.lfQuality == kAntialiasedQuality
             || description.lfQuality == kClearTypeQuality)
        font.setStyleStrategy(QFont::PreferAntialias);
    // Escapement and orientation are not applied: rows are always drawn level. The character
    // set and the precisions have no counterpart; text is decoded with the locale's codec.
    return font;
}

FontDescription ToFontDescription(const QFont& font)
{
    const QFontInfo info(font);
    FontDescription description;
    description.lfHeight = -(font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize());
    description.lfWeight = font.weight();
    description.lfItalic = font.italic() ? 1 : 0;
    description.lfUnderline = font.underline() ? 1 : 0;
    description.lfStrikeOut = font.strikeOut() ? 1 : 0;
    description.lfQuality = font.styleStrategy() & QFont::NoAntialias ? kNonAntialiasedQuality : 0;
    const bool bFixed = font.fixedPitch() || info.fixedPitch();
    description.lfPitchAndFamily = quint8(
        (bFixed ? FontDescription::kFixedPitch : FontDescription::kVariablePitch)
        | FamilyOfHint(font.styleHint()));
    description.lfFaceName = FaceName(font.family());
    return description;
}
