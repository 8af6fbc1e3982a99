#include "messaging/LineWrap.h"

#include "messaging/ColorCode.h"

namespace {

qsizetype CharLength(QStringView text, qsizetype nPos)
{
    return QChar::isHighSurrogate(text[nPos].unicode()) && nPos + 1 < text.size()
            && QChar::isLowSurrogate(text[nPos + 1].unicode())
        ? 2
        : 1;
}

} // namespace

// The measuring run only grows by whole characters, so its width is kept as a running sum
// instead of measuring the run again for every character.
std::vector<TextRow> WrapLine(QStringView text, std::span<const qreal> advances, qreal nLimit)
{
    std::vector<TextRow> rows;
    const qsizetype nSize = text.size();
    const auto advance = [&](qsizetype nPos) {
        return size_t(nPos) < advances.size() ? advances[size_t(nPos)] : 0.0;
    };

    qsizetype nRowStart = 0;
    qsizetype nPos = 0;
    qreal nRunWidth = 0;
    int nRunChars = 0;
    // Blanks at or after nFloor may still end a row; blanks before it either ended one already
    // (they are gone) or stay in their row for good.
    qsizetype nFloor = 0;
    bool bBlankKeptBelowFloor = false;
    qsizetype nLastBlank = -1; // the last blank before nPos
    qsizetype nBlankBefore = -1; // the last blank before nLastBlank
    const auto seeBlank = [&](qsizetype nAt) {
        nBlankBefore = nLastBlank;
        nLastBlank = nAt;
    };
    const auto endRow = [&](qsizetype nEnd, qsizetype nNext) {
        rows.push_back({nRowStart, nEnd});
        nRowStart = nNext;
        nFloor = nNext;
        nRunWidth = 0;
        nRunChars = 0;
    };

    while (nPos < nSize) {
        const char16_t ch = text[nPos].unicode();
        if (ch == kRowBreak) {
            bBlankKeptBelowFloor |= nLastBlank >= qMax<qsizetype>(nFloor, 1);
            endRow(nPos, nPos + 1);
            ++nPos;
            continue;
        }
        if (ch == kColorControl) {
            const qsizetype nEnd =
                nPos + qMax(1, ParseDecodedColorCode(text.sliced(nPos)).nLength);
            // A blank swallowed by a code is still a blank to the backwards search.
            for (; nPos < nEnd; ++nPos)
                if (text[nPos] == u' ')
                    seeBlank(nPos);
            continue;
        }

        const qsizetype nStep = CharLength(text, nPos);
        nRunWidth += advance(nPos);
        ++nRunChars;
        if (nRunWidth < nLimit) {
            if (ch == u' ')
                seeBlank(nPos);
            nPos += nStep;
            continue;
        }

        // The run no longer fits: look back for the last blank that has not ended a row.
        const qsizetype nBlank = nLastBlank;
        const bool bFirstIsLastBlank = nBlank == 0
            || (nBlank > 0 && nBlank < nFloor && !bBlankKeptBelowFloor && text[0] == u' ');
        if (bFirstIsLastBlank && nRunChars > 1) {
            // Only the line's leading blank is left: break right before this character.
            endRow(nPos, nPos);
            continue;
        }
        if (nBlank > 0 && nBlank >= nFloor) {
            bBlankKeptBelowFloor |= nBlankBefore >= qMax<qsizetype>(nFloor, 1);
            endRow(nBlank, nBlank + 1);
            nPos = nBlank + 1;
            continue;
        }
        // No blank to break at (or one character wider than the row): the row runs on, and
        // measuring starts again with this character.
        nRunWidth = advance(nPos);
        nRunChars = 1;
        if (ch == u' ')
            seeBlank(nPos);
        nPos += nStep;
    }
    // A row break at the very end leaves nothing to draw after it.
    if (rows.empty() || nRowStart < nSize)
        rows.push_back({nRowStart, nSize});
    return rows;
}
