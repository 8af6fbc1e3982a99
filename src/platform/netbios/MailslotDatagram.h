#pragma once

#include "platform/netbios/NetbiosName.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The NetBIOS datagram service's port, where Windows reads and writes remote mailslots.
inline constexpr quint16 kNetbiosDatagramPort = 138;

// Windows refuses a write of more than this many bytes to the mailslots of a whole domain.
inline constexpr qsizetype kMaxGroupMailslotData = 424;

// The largest datagram that one UDP packet over IPv4 carries.
inline constexpr qsizetype kMaxNetbiosDatagram = 65507;

enum class NetbiosDatagramType : quint8
{
    DirectUnique = 0x10, // to one computer's name
    DirectGroup = 0x11,  // to a group name: every computer of a domain
};

// A mailslot write as Windows sends it between computers: a NetBIOS datagram carrying an SMB
// transaction whose name is the mailslot's ("\MAILSLOT\ORVONET") and whose data are the bytes
// written.
struct MailslotDatagram
{
    NetbiosDatagramType type = NetbiosDatagramType::DirectUnique;
    quint16 id = 0;
    quint32 sourceAddress = 0; // IPv4, in host order
    quint16 sourcePort = kNetbiosDatagramPort;
    NetbiosName source;
    NetbiosName destination;
    QByteArray mailslot;
    QByteArray data;

    friend bool operator==(const MailslotDatagram&, const MailslotDatagram&) = default;
};

// The datagram's bytes, or nothing when it cannot be sent: a name that cannot be encoded, a
// mailslot name with a zero byte, more data than a group write or one datagram allows.
std::optional<QByteArray> EncodeMailslotDatagram(const MailslotDatagram& datagram);

// The mailslot write a received datagram carries. Fields that Windows and Samba fill in
// differently (node type, SMB flags, status, priority, time-out, ids) are not looked at; a
// fragment, another kind of datagram or SMB command, or anything cut short or pointing outside
// the packet gives nothing.
// A relay that keeps only a datagram's first bytes (Samba's nmbd passes on 576) hands on
// datagrams cut short; their data is then what arrived.
enum class DatagramEnd
{
    Whole,
    MayBeCut,
};
std::optional<MailslotDatagram> DecodeMailslotDatagram(QByteArrayView packet,
                                                       DatagramEnd end = DatagramEnd::Whole);
