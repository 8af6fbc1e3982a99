#include "platform/netbios/NetbiosTransport.h"

#include "platform/app/Logging.h"
#include "platform/mailslot/ComputerName.h"
#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/NetworkAddresses.h"
#include "platform/netbios/MailslotDatagram.h"
#include "platform/netbios/NetbiosMailslot.h"
#include "platform/netbios/NetbiosName.h"
#include "platform/netbios/NetbiosNameLookup.h"
#include "platform/netbios/NetbiosNamePacket.h"
#include "platform/netbios/NetbiosNameResponder.h"
#include "platform/netbios/linux/NmbdRelay.h"

namespace {

// Three broadcasts 750 ms apart, as a Windows computer without a name server asks.
constexpr int kNetbiosTimeoutMs = 2250;

// A name that a NetBIOS name query can find: one label of at most 15 characters.
bool IsNetbiosName(const QByteArray& computer)
{
    return !computer.isEmpty() && computer.size() <= kMaxNetbiosName && !computer.contains('.');
}

} // namespace

quint16 CNetbiosTransport::DefaultPort() const
{
    return kNetbiosDatagramPort;
}

int CNetbiosTransport::ReadSize() const
{
    // A datagram is read whole before the message in it is cut to what one read shows.
    return int(kMaxNetbiosDatagram);
}

std::optional<QByteArray> CNetbiosTransport::Wrap(QByteArrayView computer, quint32 target,
                                                  const QByteArray& data, QString& strError) const
{
    // The datagram names the address the target reaches this computer at.
    return WrapNetbiosWrite(NetbiosTargetFor(computer), LocalAddressFor(target), data, strError);
}

std::optional<QByteArray> CNetbiosTransport::Unwrap(QByteArrayView datagram) const
{
    return UnwrapNetbiosWrite(datagram);
}

std::vector<quint32> CNetbiosTransport::LookupName(const QByteArray& computer) const
{
    // On a network of Windows computers a bare name is a NetBIOS name first.
    if (!IsNetbiosName(computer))
        return {};
    return LookupNetbiosName(computer.toUpper(), BroadcastAddresses(), kNetbiosNamePort,
                             kNetbiosTimeoutMs);
}

std::vector<quint16> CNetbiosTransport::ServicePorts() const
{
    return {kNetbiosNamePort};
}

std::shared_ptr<void> CNetbiosTransport::ServeBesideInbox() const
{
    auto pResponder = std::make_shared<CNetbiosNameResponder>();
    if (!pResponder->Start(GetComputerName(), kNetbiosNamePort)) {
        qCInfo(lcMailslot).noquote() << "this computer's NetBIOS name is not answered here: UDP port"
                                     << kNetbiosNamePort << "-" << pResponder->ErrorText();
        return nullptr;
    }
    return pResponder;
}

int CNetbiosTransport::ReceiveThroughHolder(std::shared_ptr<void>& pKept) const
{
    if (!CNmbdRelay::IsAvailable())
        return -1;
    auto pRelay = std::make_shared<CNmbdRelay>();
    QString strError;
    const int fd = pRelay->Start(strError);
    if (fd < 0) {
        qCWarning(lcMailslot).noquote() << "cannot receive through Samba's nmbd:" << strError;
        return -1;
    }
    qCInfo(lcMailslot).noquote() << "Samba's nmbd holds UDP port" << MailslotPort()
                                 << "- receiving through it, at" << CNmbdRelay::SocketPath();
    // nmbd answers for this computer's name itself.
    pKept = std::move(pRelay);
    return fd;
}

QString CNetbiosTransport::TakenPortRemedy() const
{
    return QStringLiteral("another program holds the port, and no Samba nmbd at %1 passes messages on")
        .arg(CNmbdRelay::SocketPath());
}

bool CNetbiosTransport::IsSystemPort() const
{
    return true;
}
