#pragma once

#include <QtGlobal>

#include <vector>

// Every up, non-loopback IPv4 interface's broadcast address (host order); on a machine without
// one, the loopback address: this machine alone is then the whole network.
std::vector<quint32> BroadcastAddresses();

// This computer's address as a peer reaches it: on the interface whose subnet holds the peer,
// else its first address; the loopback address for this computer itself.
quint32 LocalAddressFor(quint32 peer);
