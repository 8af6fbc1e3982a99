#pragma once

#include <QByteArray>
#include <QtGlobal>

// A display font as the program stores it: the fourteen members of the platform font record,
// in their order. Kept free of widgets so that stored settings can read and write it.
struct FontDescription
{
    // Low two bits of lfPitchAndFamily; the high four bits name the family.
    static constexpr quint8 kFixedPitch = 0x01;
    static constexpr quint8 kVariablePitch = 0x02;
    static constexpr quint8 kFamilyMask = 0xF0;
    // The longest face name that fits the record, in bytes of the system code page.
    static constexpr qsizetype kMaxFaceName = 31;

    qint32 lfHeight = 0; // negative: character height in pixels; positive: cell height
    qint32 lfWidth = 0;
    qint32 lfEscapement = 0;
    qint32 lfOrientation = 0;
    qint32 lfWeight = 0;
    quint8 lfItalic = 0;
    quint8 lfUnderline = 0;
    quint8 lfStrikeOut = 0;
    quint8 lfCharSet = 0;
    quint8 lfOutPrecision = 0;
    quint8 lfClipPrecision = 0;
    quint8 lfQuality = 0;
    quint8 lfPitchAndFamily = 0;
    QByteArray lfFaceName;

    bool IsFixedPitch() const { return (lfPitchAndFamily & kFixedPitch) != 0; }

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};
