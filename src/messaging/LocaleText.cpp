#include "messaging/LocaleText.h"

#include <cwchar>

qsizetype WholeCharactersPrefix(QByteArrayView text, qsizetype nMaxBytes)
{
    if (text.size() <= nMaxBytes)
        return text.size();
    std::mbstate_t state{};
    qsizetype nEnd = 0;
    while (nEnd < text.size()) {
        const size_t nLength = std::mbrlen(text.data() + nEnd, size_t(text.size() - nEnd), &state);
        // Invalid, cut short or a zero byte: one byte, and the decoder starts afresh.
        qsizetype nStep = 1;
        if (nLength == size_t(-1) || nLength == size_t(-2) || nLength == 0)
            state = {};
        else
            nStep = qsizetype(nLength);
        if (nEnd + nStep > nMaxBytes)
            break;
        nEnd += nStep;
    }
    return nEnd;
}
