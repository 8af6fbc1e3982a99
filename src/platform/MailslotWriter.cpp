#include "platform/MailslotWriter.h"

#include "platform/MailslotAddress.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <vector>

namespace {

// Every up, non-loopback IPv4 interface's broadcast address; on a machine without one, this
// machine alone is the whole network.
std::vector<quint32> BroadcastAddresses()
{
    std::vector<quint32> addresses;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack) ||
            !(flags & QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress broadcast = entry.broadcast();
            if (broadcast.protocol() == QAbstractSocket::IPv4Protocol)
                addresses.push_back(broadcast.toIPv4Address());
        }
    }
    if (addresses.empty())
        addresses.push_back(INADDR_LOOPBACK);
    return addresses;
}

std::vector<quint32> ResolveComputer(const QByteArray& computer)
{
    if (computer == ".")
        return {INADDR_LOOPBACK};
    if (computer == "*")
        return BroadcastAddresses();
    for (const QHostAddress& address : QHostInfo::fromName(QString::fromLocal8Bit(computer)).addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return {address.toIPv4Address()};
    }
    return {};
}

// One socket serves every write of the process: opening one per datagram would cost more than
// the write itself. It may broadcast, since a ping answer goes to every computer.
int SendSocket()
{
    // Writes come from the user-interface thread only; a failed open is tried again next time.
    static int s_fd = -1;
    if (s_fd < 0) {
        s_fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const int nBroadcast = 1;
        if (s_fd >= 0)
            setsockopt(s_fd, SOL_SOCKET, SO_BROADCAST, &nBroadcast, sizeof nBroadcast);
    }
    return s_fd;
}

} // namespace

MailslotWriteResult WriteMailslotDatagram(QByteArrayView path, QByteArrayView datagram)
{
    const std::optional<QByteArray> computer = MailslotComputer(path);
    if (!computer)
        return MailslotWriteResult::UnknownComputer;
    const std::vector<quint32> targets = ResolveComputer(*computer);
    if (targets.empty())
        return MailslotWriteResult::UnknownComputer;

    const int fd = SendSocket();
    if (fd < 0)
        return MailslotWriteResult::WriteFailed;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(MailslotPort());
    bool bSent = false;
    for (const quint32 target : targets) {
        address.sin_addr.s_addr = htonl(target);
        const ssize_t n = sendto(fd, datagram.data(), size_t(datagram.size()), 0,
                                 reinterpret_cast<const sockaddr*>(&address), sizeof address);
        bSent = bSent || n == datagram.size();
    }
    return bSent ? MailslotWriteResult::Written : MailslotWriteResult::WriteFailed;
}
