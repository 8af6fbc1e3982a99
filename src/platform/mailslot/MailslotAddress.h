#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The UDP port every copy's inbox listens on unless TELLWICK_MAILSLOT_PORT names another (over
// NetBIOS, the datagram service's port).
inline constexpr quint16 kDefaultMailslotPort = 10138;

// The port of the inbox, read afresh so that tests and special set-ups can move it.
quint16 MailslotPort();

// A computer part and the port of the inbox it names. "desk-7.local:20345" reaches a copy that
// announces an inbox on another port than this one's; a part without a port means this one's.
// The computer is a view of the part that was split.
struct ComputerPort
{
    QByteArrayView computer;
    quint16 nPort = kDefaultMailslotPort;

    friend bool operator==(const ComputerPort&, const ComputerPort&) = default;
};

// Splits a trailing ":port" (1 to 65535) off a computer part. Anything else after a colon is
// left in the name, which no look-up will then find.
ComputerPort SplitComputerPort(QByteArrayView computer);

// The computer part that reaches an inbox on the given port: the port is written only when it
// is not this copy's own.
QByteArray JoinComputerPort(QByteArrayView computer, quint16 nPort);

// The computer part of a path "\\computer\mailslot\orvonet" (the mailslot name in any letter
// case, as the platform compares it), or nothing when the path names no such mailslot. The view
// is of the path's own bytes.
std::optional<QByteArrayView> MailslotComputer(QByteArrayView path);
