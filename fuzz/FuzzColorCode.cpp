// Any received text may hold any bytes after a colour control byte.
#include "messaging/ColorCode.h"
#include "messaging/NotificationText.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray text(1, kColorControl);
    text.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const ColorCode code = ParseColorCode(text);
    if (code.nLength < 1 || code.nLength > text.size())
        std::abort();
    PaletteColor(code.nForeground, 0);
    PaletteColor(code.nBackground, 0);
    // What a notification shows of it: no control byte, never longer than its limit.
    const QString shown = NotificationText(text);
    if (shown.contains(QLatin1Char(kColorControl)) || shown.size() > 2 * kNotificationTextLength)
        std::abort();
    return 0;
}
