#include "messaging/NotificationText.h"

#include "messaging/ColorCode.h"

QString NotificationText(QByteArrayView text)
{
    const QString decoded = QString::fromLocal8Bit(text);
    QString plain;
    plain.reserve(decoded.size());
    qsizetype nCharacters = 0;
    for (qsizetype i = 0; i < decoded.size() && nCharacters < kNotificationTextLength;) {
        if (decoded[i] == QLatin1Char(kColorControl)) {
            i += ParseDecodedColorCode(QStringView(decoded).sliced(i)).nLength;
            continue;
        }
        // Control characters are left out: a notification shows one line of text.
        if (decoded[i].unicode() < 0x20 || decoded[i].unicode() == 0x7f) {
            ++i;
            continue;
        }
        // A character outside the basic plane is two units: it is taken whole or not at all.
        const qsizetype nUnits = decoded[i].isHighSurrogate() && i + 1 < decoded.size() &&
                                         decoded[i + 1].isLowSurrogate()
                                     ? 2
                                     : 1;
        plain.append(QStringView(decoded).sliced(i, nUnits));
        i += nUnits;
        ++nCharacters;
    }
    return plain;
}
