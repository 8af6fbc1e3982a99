#include "settings/StoredNumber.h"

#include <charconv>
#include <cstdint>
#include <limits>

std::optional<qint64> ScanStoredNumber(QByteArrayView text, qsizetype& pos)
{
    qsizetype at = pos;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool bNegative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        bNegative = text[at++] == '-';
    // The magnitude alone: from_chars would take a second sign after the first.
    std::uint64_t magnitude = 0;
    const char* const pEnd = text.data() + text.size();
    const auto [pStop, error] = std::from_chars(text.data() + at, pEnd, magnitude);
    if (error == std::errc::invalid_argument)
        return std::nullopt;
    pos = pStop - text.data();
    constexpr std::uint64_t kMax = std::numeric_limits<qint64>::max();
    if (error == std::errc::result_out_of_range || magnitude > kMax)
        return bNegative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return bNegative ? -qint64(magnitude) : qint64(magnitude);
}
