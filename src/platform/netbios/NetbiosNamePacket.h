#pragma once

#include "platform/netbios/NetbiosName.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// The NetBIOS name service's port, where a computer's name is asked for and answered.
inline constexpr quint16 kNetbiosNamePort = 137;

// A question "who has this name?", broadcast on the subnet or sent to a name server.
struct NetbiosNameQuery
{
    quint16 id = 0;
    NetbiosName name;
    bool bBroadcast = true;

    friend bool operator==(const NetbiosNameQuery&, const NetbiosNameQuery&) = default;
};

// A positive answer: the addresses (IPv4, host order) that hold the name.
struct NetbiosNameAnswer
{
    quint16 id = 0;
    NetbiosName name;
    QList<quint32> addresses;
    quint32 ttl = 0;

    friend bool operator==(const NetbiosNameAnswer&, const NetbiosNameAnswer&) = default;
};

std::optional<QByteArray> EncodeNameQuery(const NetbiosNameQuery& query);
std::optional<QByteArray> EncodeNameAnswer(const NetbiosNameAnswer& answer);

// A name query request, or nothing for any other packet (answers, registrations, status
// queries) and anything malformed.
std::optional<NetbiosNameQuery> DecodeNameQuery(QByteArrayView packet);

// A positive answer to a name query, or nothing for a negative one, any other packet and
// anything malformed.
std::optional<NetbiosNameAnswer> DecodeNameAnswer(QByteArrayView packet);
