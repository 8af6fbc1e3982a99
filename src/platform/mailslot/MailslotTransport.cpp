#include "platform/mailslot/MailslotTransport.h"

#include "platform/app/Logging.h"
#include "platform/mailslot/UdpTransport.h"
#include "platform/netbios/NetbiosTransport.h"

#include <QtGlobal>

namespace {

const CUdpTransport g_udp;
const CNetbiosTransport g_netbios;

// Chosen before any window or thread uses it, and read only afterwards.
const CMailslotTransport* g_pTransport = &g_udp;
QByteArray g_workgroup = QByteArrayLiteral("WORKGROUP");

// "udp" or "netbios" in any letter case; nothing for anything else.
const CMailslotTransport* ParseMailslotTransport(QByteArrayView text)
{
    if (text.compare("udp", Qt::CaseInsensitive) == 0)
        return &g_udp;
    if (text.compare("netbios", Qt::CaseInsensitive) == 0)
        return &g_netbios;
    return nullptr;
}

} // namespace

void SelectMailslotTransport(QByteArrayView storedTransport, QByteArrayView workgroup)
{
    const QByteArray fromEnvironment = qgetenv("TELLWICK_TRANSPORT");
    const QByteArrayView chosen = fromEnvironment.isEmpty() ? storedTransport : QByteArrayView(fromEnvironment);
    const CMailslotTransport* pTransport = ParseMailslotTransport(chosen);
    if (!pTransport) {
        qCWarning(lcMailslot).noquote().nospace()
            << "unknown transport \"" << QString::fromLatin1(chosen)
            << "\" (\"udp\" or \"netbios\"); UDP is used";
    }
    g_pTransport = pTransport ? pTransport : &g_udp;
    if (!workgroup.trimmed().isEmpty())
        g_workgroup = workgroup.trimmed().toByteArray().toUpper();
}

const CMailslotTransport& MailslotTransport()
{
    return *g_pTransport;
}

QByteArray NetbiosWorkgroup()
{
    return g_workgroup;
}
