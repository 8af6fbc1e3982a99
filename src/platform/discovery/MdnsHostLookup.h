#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// Whether a name lies in the multicast DNS domain, such as "desk-7.local".
bool IsMdnsName(QByteArrayView name);

// The IPv4 addresses of a multicast DNS name, asked of the Avahi daemon directly, so that the
// names the find dialog offers work where the system's resolver does not ask it. Waits for the
// answer, at most nTimeoutMs; none and the reason when nobody answers or no daemon runs.
std::vector<quint32> LookupMdnsHost(const QByteArray& name, int nTimeoutMs, QString& strError);
