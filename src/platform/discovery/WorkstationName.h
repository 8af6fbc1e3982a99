#pragma once

#include <QByteArrayView>
#include <QString>

// The host name that a "_workstation._tcp" announcement stands for: the service name
// "desk-7 [00:11:22:33:44:55]" in domain "local" gives "desk-7.local". Empty when the
// announcement names no usable host (names are host-name letters, digits, '-' and '_' only).
QString WorkstationHostName(QByteArrayView serviceName, QByteArrayView domain);

// The host name that an announced service resolved to, "desk-7.local." giving "desk-7.local";
// empty unless it is made of such labels.
QString AnnouncedHostName(QByteArrayView hostName);
