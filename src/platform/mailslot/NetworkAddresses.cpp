#include "platform/mailslot/NetworkAddresses.h"

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

AddressKind ClassifyAddress(quint32 address)
{
    if (address == 0)
        return AddressKind::Unspecified;
    if (address == 0xFFFFFFFF)
        return AddressKind::Broadcast;
    if ((address >> 28) == 0xE)
        return AddressKind::Multicast;
    if ((address >> 28) == 0xF)
        return AddressKind::Reserved;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const int nPrefix = entry.prefixLength();
            // A /31 or /32 subnet has neither: every address in it is a computer's.
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol || nPrefix < 0 || nPrefix > 30)
                continue;
            const quint32 hostMask = nPrefix == 0 ? 0xFFFFFFFF : (quint32(1) << (32 - nPrefix)) - 1;
            const quint32 network = entry.ip().toIPv4Address() & ~hostMask;
            if (address == network)
                return AddressKind::Network;
            if (address == (network | hostMask))
                return AddressKind::Broadcast;
        }
    }
    return AddressKind::Unicast;
}

const char* AddressKindText(AddressKind kind)
{
    switch (kind) {
    case AddressKind::Unicast: return "a computer's address";
    case AddressKind::Broadcast: return "a broadcast address";
    case AddressKind::Network: return "a network address";
    case AddressKind::Multicast: return "a multicast address";
    case AddressKind::Unspecified: return "the unspecified address";
    case AddressKind::Reserved: return "a reserved address";
    }
    return "";
}
