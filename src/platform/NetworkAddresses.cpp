#include "platform/NetworkAddresses.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace {

constexpr quint32 kLoopback = 0x7F000001;

bool IsUsable(const QNetworkInterface& iface)
{
    return (iface.flags() & QNetworkInterface::IsUp) && !(iface.flags() & QNetworkInterface::IsLoopBack);
}

} // namespace

std::vector<quint32> BroadcastAddresses()
{
    std::vector<quint32> addresses;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (!IsUsable(iface) || !(iface.flags() & QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress broadcast = entry.broadcast();
            if (broadcast.protocol() == QAbstractSocket::IPv4Protocol)
                addresses.push_back(broadcast.toIPv4Address());
        }
    }
    if (addresses.empty())
        addresses.push_back(kLoopback);
    return addresses;
}

quint32 LocalAddressFor(quint32 peer)
{
    const QHostAddress from(peer);
    if (from.isLoopback())
        return kLoopback;
    quint32 first = 0;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (!IsUsable(iface))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (from.isInSubnet(entry.ip(), entry.prefixLength()))
                return entry.ip().toIPv4Address();
            if (!first)
                first = entry.ip().toIPv4Address();
        }
    }
    return first ? first : kLoopback;
}
