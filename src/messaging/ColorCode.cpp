#include "messaging/ColorCode.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a group of one or two characters: its leading decimal digits, after a minus sign
// if there is one (so '-1' reads as "no colour"); a group that starts otherwise is worth 0.
int GroupValue(QByteArrayView group)
{
    qsizetype i = 0;
    const bool bNegative = !group.isEmpty() && group[0] == '-';
    if (bNegative)
        ++i;
    int nValue = 0;
    for (; i < group.size() && IsDigit(group[i]); ++i)
        nValue = nValue * 10 + (group[i] - '0');
    return bNegative ? -nValue : nValue;
}

// A group is two characters long when two remain and the second is a digit, otherwise one.
qsizetype GroupLength(QByteArrayView rest)
{
    return rest.size() >= 2 && IsDigit(rest[1]) ? 2 : 1;
}

} // namespace

ColorCode ParseColorCode(QByteArrayView text)
{
    const QByteArrayView rest = text.sliced(qMin<qsizetype>(1, text.size()));
    ColorCode code;
    if (rest.isEmpty())
        return code;

    const qsizetype k = rest.indexOf(',');
    if (k == 1 || (k == 2 && IsDigit(rest[1]))) {
        code.nForeground = GroupValue(rest.first(k));
        const QByteArrayView after = rest.sliced(k + 1);
        // A comma that ends the text leaves no background group at all.
        const qsizetype nBack = after.isEmpty() ? 0 : GroupLength(after);
        code.nBackground = nBack ? GroupValue(after.first(nBack)) : kNoColor;
        code.nLength = int(1 + k + 1 + nBack);
    } else {
        const qsizetype nFore = GroupLength(rest);
        code.nForeground = GroupValue(rest.first(nFore));
        code.nLength = int(1 + nFore);
    }
    return code;
}

ColorCode ParseDecodedColorCode(QStringView text)
{
    // A code spans at most six characters: control, two digits, comma, two digits. Anything
    // other than ASCII stands in as a byte that is neither digit, sign nor comma.
    constexpr int kMaxCodeChars = 6;
    char window[kMaxCodeChars];
    qsizetype units[kMaxCodeChars + 1] = {0};
    int nChars = 0;
    for (qsizetype i = 0; i < text.size() && nChars < kMaxCodeChars;) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\x1E')
            break;
        const bool bPair = QChar::isHighSurrogate(ch) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode());
        window[nChars] = ch < 0x80 ? char(ch) : '\x7F';
        i += bPair ? 2 : 1;
        units[++nChars] = i;
    }
    ColorCode code = ParseColorCode(QByteArrayView(window, nChars));
    code.nLength = int(units[qMin(code.nLength, nChars)]);
    return code;
}

Rgb PaletteColor(int nIndex, Rgb fallback)
{
    return nIndex >= 0 && nIndex < kPaletteSize ? g_palette[size_t(nIndex)] : fallback;
}
