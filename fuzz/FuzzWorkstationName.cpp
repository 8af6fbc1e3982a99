// Any computer on the network can announce any service name, domain and host; the dialog must
// only ever be offered a plain host name. A computer part with a port comes from the user.
#include "platform/discovery/WorkstationName.h"
#include "platform/mailslot/MailslotAddress.h"

#include <cstdint>
#include <cstdlib>

namespace {

void CheckHostName(const QString& hostName)
{
    if (hostName.size() > 253)
        std::abort();
    for (QChar c : hostName) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_' && c != u'.')
            std::abort();
    }
    if (hostName.startsWith(u'.') || hostName.endsWith(u'.') ||
        hostName.contains(QStringLiteral("..")))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The service name, a zero byte, then the domain.
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView service = split < 0 ? input : input.first(split);
    const QByteArrayView domain = split < 0 ? QByteArrayView() : input.sliced(split + 1);

    CheckHostName(WorkstationHostName(service, domain));
    CheckHostName(AnnouncedHostName(input));

    // A port split off is a real one, and joining it back gives the same computer part.
    const ComputerPort target = SplitComputerPort(input);
    if (target.nPort == 0)
        std::abort();
    if (target.computer.size() < input.size() && !target.computer.contains(':') &&
        SplitComputerPort(JoinComputerPort(target.computer, target.nPort)) != target)
        std::abort();
    return 0;
}
