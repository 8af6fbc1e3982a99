#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

#include <array>

// The control byte that starts an in-band colour code inside a message text.
inline constexpr char kColorControl = '\x03';
// A colour element that a code leaves unchanged.
inline constexpr int kNoColor = -1;
inline constexpr int kPaletteSize = 16;

// A colour as 0xAARRGGBB, the layout of the widgets' QRgb, so the view can use it as it is.
using Rgb = quint32;

constexpr Rgb MakeRgb(int r, int g, int b)
{
    return 0xFF000000u | Rgb(r) << 16 | Rgb(g) << 8 | Rgb(b);
}

// The 16 colours that colour codes index.
inline constexpr std::array<Rgb, kPaletteSize> g_palette = {
    MakeRgb(255, 255, 255), MakeRgb(0, 0, 0),     MakeRgb(0, 0, 128),     MakeRgb(0, 128, 0),
    MakeRgb(255, 0, 0),     MakeRgb(128, 0, 0),   MakeRgb(128, 0, 128),   MakeRgb(128, 128, 0),
    MakeRgb(255, 255, 0),   MakeRgb(0, 255, 0),   MakeRgb(0, 128, 128),   MakeRgb(0, 255, 255),
    MakeRgb(0, 0, 255),     MakeRgb(255, 0, 255), MakeRgb(128, 128, 128), MakeRgb(192, 192, 192)};

// One colour code split off a text: how many bytes it spans (control byte included) and the
// colours it selects, each kNoColor when the code leaves that colour as it is.
struct ColorCode
{
    int nLength = 1;
    int nForeground = kNoColor;
    int nBackground = kNoColor;

    friend bool operator==(const ColorCode&, const ColorCode&) = default;
};

// Splits the colour code off a text that starts with the control byte. Reads nothing past the
// end of the text, whatever it holds.
ColorCode ParseColorCode(QByteArrayView text);

// The same grammar on text already decoded for display: the length counts UTF-16 units, a code
// swallows a whole character (never half of one) and never reaches past a row break (0x1E).
ColorCode ParseDecodedColorCode(QStringView text);

// The colour of a palette index. Indices that name no palette entry (16..99 from a two-digit
// code, or a negative number) draw with the fallback, the colour of plain text.
Rgb PaletteColor(int nIndex, Rgb fallback);
