#include "platform/mailslot/MailslotWriter.h"

#include "platform/app/Logging.h"
#include "platform/mailslot/HostResolver.h"
#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotTransport.h"
#include "platform/mailslot/NetworkAddresses.h"

#include <QHostAddress>
#include <QVarLengthArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <optional>
#include <span>
#include <vector>

namespace {

// A computer's addresses; most computer parts have one, which then needs no allocation.
using Targets = QVarLengthArray<quint32, 1>;

// The addresses of a computer part that needs no look-up: this computer, every computer, or an
// address written out; nothing for a name.
std::optional<Targets> KnownAddresses(QByteArrayView computer)
{
    if (computer == ".")
        return Targets{INADDR_LOOPBACK};
    if (computer == "*") {
        const std::vector<quint32> broadcast = BroadcastAddresses();
        return Targets(broadcast.begin(), broadcast.end());
    }
    QHostAddress address;
    if (address.setAddress(QString::fromLatin1(computer)) &&
        address.protocol() == QAbstractSocket::IPv4Protocol)
        return Targets{address.toIPv4Address()};
    return std::nullopt;
}

Targets ResolveComputerNow(QByteArrayView computer)
{
    if (std::optional<Targets> known = KnownAddresses(computer))
        return std::move(*known);
    QString strError;
    const std::vector<quint32> addresses =
        CHostResolver::LookupNow(computer.toByteArray(), strError);
    if (addresses.empty())
        return {};
    return {addresses.front()};
}

// One socket per kind serves every write of the process: opening one per datagram would cost
// more than the write itself. Only the one for "*" may broadcast (a ping answer goes to every
// computer), so that a message to one computer never reaches them all.
int SendSocket(bool bBroadcast)
{
    // Writes come from the user-interface thread only; a failed open is tried again next time.
    static int s_fds[2] = {-1, -1};
    int& fd = s_fds[bBroadcast ? 1 : 0];
    if (fd < 0) {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const int nBroadcast = 1;
        if (fd >= 0 && bBroadcast)
            setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &nBroadcast, sizeof nBroadcast);
    }
    return fd;
}

// Why a computer part other than "." and "*" does not name one computer, if it does not: a
// spoofed answer to a look-up must not turn a message to one computer into one to all of them.
std::optional<QString> NotOneComputer(QByteArrayView computer, std::span<const quint32> targets)
{
    if (computer == "." || computer == "*")
        return std::nullopt;
    for (const quint32 target : targets) {
        if (const AddressKind kind = ClassifyAddress(target); kind != AddressKind::Unicast)
            return QStringLiteral("resolves to %1 (%2)")
                .arg(QLatin1String(AddressKindText(kind)), QHostAddress(target).toString());
    }
    return std::nullopt;
}

MailslotWriteResult SendDatagram(QByteArrayView computer, std::span<const quint32> targets,
                                 quint16 nPort, const QByteArray& datagram)
{
    const int fd = SendSocket(computer == "*");
    if (fd < 0)
        return MailslotWriteResult::WriteFailed;
    const CMailslotTransport& transport = MailslotTransport();

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(nPort);
    bool bSent = false;
    for (const quint32 target : targets) {
        QString strError;
        const std::optional<QByteArray> bytes = transport.Wrap(computer, target, datagram, strError);
        if (!bytes) {
            qCWarning(lcMailslot).noquote() << "the message is not sent:" << strError;
            return MailslotWriteResult::WriteFailed;
        }
        address.sin_addr.s_addr = htonl(target);
        const ssize_t n = sendto(fd, bytes->data(), size_t(bytes->size()), 0,
                                 reinterpret_cast<const sockaddr*>(&address), sizeof address);
        bSent = bSent || n == bytes->size();
    }
    return bSent ? MailslotWriteResult::Written : MailslotWriteResult::WriteFailed;
}

void WarnUnknownComputer(QByteArrayView computer, const QString& strReason)
{
    qCWarning(lcMailslot).noquote().nospace()
        << "cannot find computer \"" << QString::fromLocal8Bit(computer) << "\": " << strReason
        << "; the message is not sent";
}

void WarnNotOneComputer(QByteArrayView computer, const QString& strWhy)
{
    qCWarning(lcMailslot).noquote().nospace()
        << "cannot send to \"" << QString::fromLocal8Bit(computer) << "\": it " << strWhy
        << ", not to one computer; the message is not sent";
}

} // namespace

MailslotWriteResult WriteMailslotDatagram(QByteArrayView path, const QByteArray& datagram,
                                          QString* pstrWhy)
{
    const std::optional<QByteArrayView> computer = MailslotComputer(path);
    if (!computer)
        return MailslotWriteResult::UnknownComputer;
    const ComputerPort target = SplitComputerPort(*computer);
    const Targets addresses = ResolveComputerNow(target.computer);
    if (addresses.empty())
        return MailslotWriteResult::UnknownComputer;
    if (const std::optional<QString> why = NotOneComputer(target.computer, addresses)) {
        if (pstrWhy)
            *pstrWhy = *why;
        return MailslotWriteResult::NotOneComputer;
    }
    return SendDatagram(target.computer, addresses, target.nPort, datagram);
}

void PostMailslotDatagram(QByteArrayView path, const QByteArray& datagram)
{
    const std::optional<QByteArrayView> computer = MailslotComputer(path);
    if (!computer) {
        WarnUnknownComputer(path, QStringLiteral("not a computer name"));
        return;
    }
    const ComputerPort target = SplitComputerPort(*computer);
    if (const std::optional<Targets> known = KnownAddresses(target.computer)) {
        if (const std::optional<QString> why = NotOneComputer(target.computer, *known))
            WarnNotOneComputer(target.computer, *why);
        else
            SendDatagram(target.computer, *known, target.nPort, datagram);
        return;
    }
    // The path, and with it the view of its computer part, is gone when the answer comes.
    const QByteArray name = target.computer.toByteArray();
    CHostResolver::Current().Lookup(
        name, [computer = name, nPort = target.nPort,
               datagram](const std::vector<quint32>& addresses, const QString& strError) {
            if (addresses.empty()) {
                WarnUnknownComputer(computer, strError);
                return;
            }
            const std::span<const quint32> first = std::span(addresses).first(1);
            if (const std::optional<QString> why = NotOneComputer(computer, first))
                WarnNotOneComputer(computer, *why);
            else
                SendDatagram(computer, first, nPort, datagram);
        });
}
