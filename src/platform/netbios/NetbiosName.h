#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// A NetBIOS name as it travels in datagrams and name queries: up to 15 bytes, padded with
// spaces, a type byte (0x00 workstation or domain group, 0x20 server ...), and an optional scope
// ("corp.example") that sets apart the names of one NetBIOS network from another's.
struct NetbiosName
{
    QByteArray name;
    quint8 type = 0;
    QByteArray scope;

    friend bool operator==(const NetbiosName&, const NetbiosName&) = default;
};

// The longest encoded name with its scope: a domain name's limit.
inline constexpr qsizetype kMaxEncodedNetbiosName = 255;
// The longest name itself, before its type byte.
inline constexpr qsizetype kMaxNetbiosName = 15;

// The first-level encoding: each of the 16 bytes as two letters 'A'..'P', then each scope label
// with its length, then a zero byte. Nothing when the name or the scope cannot be encoded
// (a name longer than 15 bytes, an empty or too long scope label, too long a whole).
std::optional<QByteArray> EncodeNetbiosName(const NetbiosName& name);

// Reads an encoded name that starts at pos in packet and moves pos past it. Label pointers
// (Samba compresses a destination name equal to the source) must each point before the last,
// so no loop can be built. The name comes back without its padding spaces. Nothing for anything
// else than a well-formed name inside the packet.
std::optional<NetbiosName> DecodeNetbiosName(QByteArrayView packet, qsizetype& pos);
