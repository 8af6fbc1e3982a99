#include "messaging/ColorTags.h"

#include "messaging/ColorCode.h"

namespace {

// A tag token selects its colour by its first character alone; unknown ones give black.
const char* TokenCode(char cFirst)
{
    switch (cFirst) {
    case 'w': case 'W': return "00";
    case 'b': case 'B': return "01";
    case 'l': case 'L': return "02";
    case 'g': case 'G': return "03";
    case 'r': case 'R': return "04";
    case 'n': case 'N': return "05";
    case 'p': case 'P': return "06";
    case 'o': case 'O': return "07";
    case 'y': case 'Y': return "08";
    default: return "01";
    }
}

// The code of a tag's content: its first two non-empty comma-separated tokens, or nothing.
QByteArray TagCode(QByteArrayView content)
{
    QByteArray code;
    int nTokens = 0;
    for (qsizetype start = 0; start <= content.size() && nTokens < 2;) {
        qsizetype end = content.indexOf(',', start);
        if (end < 0)
            end = content.size();
        if (end > start) {
            if (nTokens++ > 0)
                code += ',';
            code += TokenCode(content[start]);
        }
        start = end + 1;
    }
    return code;
}

} // namespace

QByteArray TranslateColorTags(QByteArrayView text)
{
    QByteArray result;
    result.reserve(text.size() + 1);
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != '<') {
            result += text[i++];
            continue;
        }
        const qsizetype close = text.indexOf('>', i + 1);
        if (close < 0) {
            // No ">" follows, so no later "<" can open a tag either.
            result += text.sliced(i);
            break;
        }
        const QByteArray code = TagCode(text.sliced(i + 1, close - i - 1));
        if (!code.isEmpty()) {
            result += kColorControl;
            result += code;
        }
        i = close + 1;
    }
    return result;
}
