// Any computer on the network can announce any service name and domain; the dialog must only
// ever be offered a plain host name.
#include "platform/WorkstationName.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The service name, a zero byte, then the domain.
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView service = split < 0 ? input : input.first(split);
    const QByteArrayView domain = split < 0 ? QByteArrayView() : input.sliced(split + 1);

    const QString hostName = WorkstationHostName(service, domain);
    if (hostName.size() > 253)
        std::abort();
    for (QChar c : hostName) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_' && c != u'.')
            std::abort();
    }
    if (hostName.startsWith(u'.') || hostName.endsWith(u'.') ||
        hostName.contains(QStringLiteral("..")))
        std::abort();
    return 0;
}
