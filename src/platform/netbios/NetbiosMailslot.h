#pragma once

#include "platform/netbios/NetbiosName.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The mailslot that copies write to, as a datagram names it.
inline constexpr char kNetbiosMailslotName[] = "\\MAILSLOT\\ORVONET";

// Whom a write goes to over NetBIOS: one computer's name, or a group name (every computer of
// a workgroup or domain).
struct NetbiosTarget
{
    NetbiosName name;
    bool bGroup = false;
};

// The target that a path's computer part names: "*" the workgroup, "." this computer, an IPv4
// address the name every Windows file server answers to, any other name its first label,
// upper-cased and at most 15 characters, as Windows uses it.
NetbiosTarget NetbiosTargetFor(QByteArrayView computer);

// The datagram that writes data to the target's mailslot, sent from sourceAddress (host order).
// Nothing, with the reason, when it cannot be sent: a group write of more than 424 bytes fails
// on Windows too.
std::optional<QByteArray> WrapNetbiosWrite(const NetbiosTarget& target, quint32 sourceAddress,
                                           QByteArrayView data, QString& strError);

// The bytes written to our mailslot that a received datagram carries; nothing when the
// datagram is malformed, not a mailslot write, or for another mailslot.
std::optional<QByteArray> UnwrapNetbiosWrite(QByteArrayView packet);
