#pragma once

#include <QtGlobal>

#include <vector>

// Every up, non-loopback IPv4 interface's broadcast address (host order); on a machine without
// one, the loopback address: this machine alone is then the whole network.
std::vector<quint32> BroadcastAddresses();

// This computer's address as a peer reaches it: on the interface whose subnet holds the peer,
// else its first address; the loopback address for this computer itself.
quint32 LocalAddressFor(quint32 peer);

// What an address reaches: one computer, or many or none of them. Network and broadcast
// addresses are those of this computer's interfaces' subnets.
enum class AddressKind
{
    Unicast,
    Broadcast,   // a subnet's or the local network's (255.255.255.255)
    Network,     // a subnet's own address
    Multicast,   // 224.0.0.0/4
    Unspecified, // 0.0.0.0
    Reserved,    // 240.0.0.0/4 besides 255.255.255.255
};
AddressKind ClassifyAddress(quint32 address);
// "a broadcast address", "a multicast address" ...
const char* AddressKindText(AddressKind kind);
