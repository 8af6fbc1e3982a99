#pragma once

#include <QByteArray>

#include <vector>

// Asks for a NetBIOS name (type 0x00, a workstation) at each target address (IPv4, host order;
// broadcast addresses ask the whole subnet) and waits for the first answer: three tries over
// timeoutMs, as a Windows computer without a name server does. The answer's addresses, or none
// when nobody answers or no socket can be had.
std::vector<quint32> LookupNetbiosName(const QByteArray& name, const std::vector<quint32>& targets,
                                       quint16 port, int timeoutMs);
