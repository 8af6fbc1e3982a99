#include "app/WindowPlacement.h"

#include "settings/Catalogue.h"
#include "settings/StoredNumber.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

std::optional<WindowPlacement> ParseWindowPlacement(QByteArrayView text)
{
    std::array<std::int64_t, 10> numbers{};
    qsizetype pos = 0;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return std::nullopt;
            ++pos;
        }
        const auto number = ScanStoredNumber(text, pos);
        // The first two fields are "%u", the rest "%d".
        const std::int64_t nLow = i < 2 ? -std::int64_t(UINT32_MAX) : INT32_MIN;
        const std::int64_t nHigh = i < 2 ? std::int64_t(UINT32_MAX) : INT32_MAX;
        if (!number || *number < nLow || *number > nHigh)
            return std::nullopt;
        numbers[i] = *number;
    }
    // "%u" takes a negative number modulo 2^32, as the C library does.
    return WindowPlacement{quint32(numbers[0]), quint32(numbers[1]), int(numbers[2]),
                           int(numbers[3]),     int(numbers[4]),     int(numbers[5]),
                           int(numbers[6]),     int(numbers[7]),     int(numbers[8]),
                           int(numbers[9])};
}

QByteArray FormatWindowPlacement(const WindowPlacement& p)
{
    // Ten numbers of at most 11 characters each and their commas.
    std::array<char, 128> buffer{};
    const int nLength = std::snprintf(buffer.data(), buffer.size(), kWindowPosFormat, p.flags,
                                      p.showCmd, p.nMinX, p.nMinY, p.nMaxX, p.nMaxY, p.nLeft,
                                      p.nTop, p.nRight, p.nBottom);
    return QByteArray(buffer.data(), qBound(0, nLength, int(buffer.size()) - 1));
}

QRect FitOnScreen(QRect rect, QSize minimum, const QList<QRect>& areas, int nTitleHeight)
{
    rect.setSize(rect.size().expandedTo(minimum));
    if (areas.isEmpty())
        return rect;
    auto overlap = [&rect](const QRect& area) {
        const QRect common = area.intersected(rect);
        return qint64(common.width()) * common.height();
    };
    const QRect area = *std::max_element(areas.begin(), areas.end(), [&](const QRect& a, const QRect& b) {
        return overlap(a) < overlap(b);
    });
    const QRect usable = area.adjusted(0, nTitleHeight, 0, 0);
    rect.setSize(rect.size().boundedTo(usable.size()).expandedTo(minimum));
    rect.moveLeft(std::max(usable.left(), std::min(rect.left(), usable.right() + 1 - rect.width())));
    rect.moveTop(std::max(usable.top(), std::min(rect.top(), usable.bottom() + 1 - rect.height())));
    return rect;
}
