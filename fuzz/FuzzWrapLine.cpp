// Any received line at any width: wrapping ends, and its rows stay inside the line, in order,
// never split a character and drop nothing but the blank or row break between two rows.
#include "messaging/LineWrap.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const qreal nLimit = data[0];
    const unsigned nSeed = data[1];
    const QString text =
        QString::fromLocal8Bit(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    std::vector<qreal> advances(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i)
        advances[size_t(i)] = qreal((text[i].unicode() * nSeed) % 17);

    const std::vector<TextRow> rows = WrapLine(text, advances, nLimit);
    if (rows.empty() || rows.front().nStart != 0)
        std::abort();
    // Only a row break at the very end is left out of the last row.
    const qsizetype nEnd = rows.back().nEnd;
    if (nEnd != text.size() && !(nEnd == text.size() - 1 && text.back() == QChar(kRowBreak)))
        std::abort();
    qsizetype nPrevious = 0;
    for (const TextRow& row : rows) {
        if (row.nStart > row.nEnd || row.nEnd > text.size())
            std::abort();
        const qsizetype nGap = row.nStart - nPrevious;
        if (nGap < 0 || nGap > 1)
            std::abort();
        if (nGap == 1 && text[nPrevious] != u' ' && text[nPrevious] != QChar(kRowBreak))
            std::abort();
        if (row.nStart > 0 && row.nStart < text.size() && text[row.nStart].isLowSurrogate() &&
            text[row.nStart - 1].isHighSurrogate())
            std::abort();
        nPrevious = row.nEnd;
    }
    return 0;
}
