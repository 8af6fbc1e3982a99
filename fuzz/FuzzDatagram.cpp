// A received datagram: its text, the ping test, and every colour code in it as the view walks
// them, plus the path parsing a sender goes through.
#include "messaging/ColorCode.h"
#include "messaging/Mailslot.h"
#include "platform/mailslot/MailslotAddress.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray text = DatagramText(datagram);
    if (text.size() > datagram.size() || text.contains('\0'))
        std::abort();
    IsPing(text);
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != kColorControl) {
            ++i;
            continue;
        }
        const ColorCode code = ParseColorCode(QByteArrayView(text).sliced(i));
        if (code.nLength < 1 || i + code.nLength > text.size())
            std::abort();
        i += code.nLength;
    }
    MailslotComputer(datagram);
    return 0;
}
