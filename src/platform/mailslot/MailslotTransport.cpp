#include "platform/mailslot/MailslotTransport.h"

#include "platform/app/Logging.h"

#include <QtGlobal>

namespace {

// Chosen before any window or thread uses it, and read only afterwards.
MailslotTransport g_transport = MailslotTransport::Udp;
QByteArray g_workgroup = QByteArrayLiteral("WORKGROUP");

} // namespace

std::optional<MailslotTransport> ParseMailslotTransport(QByteArrayView text)
{
    if (text.compare("udp", Qt::CaseInsensitive) == 0)
        return MailslotTransport::Udp;
    if (text.compare("netbios", Qt::CaseInsensitive) == 0)
        return MailslotTransport::Netbios;
    return std::nullopt;
}

void SelectMailslotTransport(QByteArrayView storedTransport, QByteArrayView workgroup)
{
    const QByteArray fromEnvironment = qgetenv("TELLWICK_TRANSPORT");
    const QByteArrayView chosen = fromEnvironment.isEmpty() ? storedTransport : QByteArrayView(fromEnvironment);
    const std::optional<MailslotTransport> transport = ParseMailslotTransport(chosen);
    if (!transport) {
        qCWarning(lcMailslot).noquote().nospace()
            << "unknown transport \"" << QString::fromLatin1(chosen)
            << "\" (\"udp\" or \"netbios\"); UDP is used";
    }
    g_transport = transport.value_or(MailslotTransport::Udp);
    if (!workgroup.trimmed().isEmpty())
        g_workgroup = workgroup.trimmed().toByteArray().toUpper();
}

MailslotTransport CurrentMailslotTransport()
{
    return g_transport;
}

QByteArray NetbiosWorkgroup()
{
    return g_workgroup;
}
