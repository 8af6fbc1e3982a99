#include "platform/netbios/NetbiosNamePacket.h"

#include "platform/netbios/NetworkBytes.h"

namespace {

constexpr qsizetype kHeaderSize = 12;
constexpr quint16 kResponse = 0x8000;
constexpr quint16 kOpcodeMask = 0x7800; // zero: a query
constexpr quint16 kAuthoritative = 0x0400;
constexpr quint16 kRecursionDesired = 0x0100;
constexpr quint16 kBroadcast = 0x0010;
constexpr quint16 kRcodeMask = 0x000F;
constexpr quint16 kTypeNb = 0x0020;
constexpr quint16 kClassIn = 0x0001;
constexpr qsizetype kAddressEntrySize = 6; // flags, IPv4 address

QByteArray Header(quint16 id, quint16 flags, quint16 questions, quint16 answers)
{
    QByteArray out;
    AppendBig16(out, id);
    AppendBig16(out, flags);
    AppendBig16(out, questions);
    AppendBig16(out, answers);
    AppendBig32(out, 0); // no authority or additional records
    return out;
}

// The name and its type and class at pos, which must be NB and IN; pos moves past them.
std::optional<NetbiosName> ReadNbRecordName(QByteArrayView packet, qsizetype& pos)
{
    std::optional<NetbiosName> name = DecodeNetbiosName(packet, pos);
    if (!name || pos + 4 > packet.size() || Big16(packet, pos) != kTypeNb
        || Big16(packet, pos + 2) != kClassIn)
        return std::nullopt;
    pos += 4;
    return name;
}

} // namespace

std::optional<QByteArray> EncodeNameQuery(const NetbiosNameQuery& query)
{
    const std::optional<QByteArray> name = EncodeNetbiosName(query.name);
    if (!name)
        return std::nullopt;
    QByteArray out = Header(query.id, kRecursionDesired | (query.bBroadcast ? kBroadcast : 0), 1, 0);
    out.append(*name);
    AppendBig16(out, kTypeNb);
    AppendBig16(out, kClassIn);
    return out;
}

std::optional<QByteArray> EncodeNameAnswer(const NetbiosNameAnswer& answer)
{
    const std::optional<QByteArray> name = EncodeNetbiosName(answer.name);
    if (!name || answer.addresses.isEmpty() || answer.addresses.size() > 0xFFFF / kAddressEntrySize)
        return std::nullopt;
    QByteArray out = Header(answer.id, kResponse | kAuthoritative | kRecursionDesired, 0, 1);
    out.append(*name);
    AppendBig16(out, kTypeNb);
    AppendBig16(out, kClassIn);
    AppendBig32(out, answer.ttl);
    AppendBig16(out, quint16(answer.addresses.size() * kAddressEntrySize));
    for (const quint32 address : answer.addresses) {
        AppendBig16(out, 0); // a unique name of a B node
        AppendBig32(out, address);
    }
    return out;
}

std::optional<NetbiosNameQuery> DecodeNameQuery(QByteArrayView packet)
{
    if (packet.size() < kHeaderSize)
        return std::nullopt;
    const quint16 flags = Big16(packet, 2);
    if ((flags & (kResponse | kOpcodeMask)) || Big16(packet, 4) != 1)
        return std::nullopt;
    qsizetype pos = kHeaderSize;
    std::optional<NetbiosName> name = ReadNbRecordName(packet, pos);
    if (!name)
        return std::nullopt;
    return NetbiosNameQuery{Big16(packet, 0), std::move(*name), (flags & kBroadcast) != 0};
}

std::optional<NetbiosNameAnswer> DecodeNameAnswer(QByteArrayView packet)
{
    if (packet.size() < kHeaderSize)
        return std::nullopt;
    const quint16 flags = Big16(packet, 2);
    if (!(flags & kResponse) || (flags & kOpcodeMask) || (flags & kRcodeMask) || Big16(packet, 6) < 1)
        return std::nullopt;
    qsizetype pos = kHeaderSize;
    // A name server may repeat the question before its answer.
    for (quint16 question = Big16(packet, 4); question > 0; --question) {
        if (!ReadNbRecordName(packet, pos))
            return std::nullopt;
    }
    std::optional<NetbiosName> name = ReadNbRecordName(packet, pos);
    if (!name || pos + 6 > packet.size())
        return std::nullopt;
    NetbiosNameAnswer answer{Big16(packet, 0), std::move(*name), {}, Big32(packet, pos)};
    const qsizetype length = Big16(packet, pos + 4);
    pos += 6;
    if (length == 0 || length % kAddressEntrySize != 0 || length > packet.size() - pos)
        return std::nullopt;
    for (qsizetype entry = pos; entry < pos + length; entry += kAddressEntrySize)
        answer.addresses.append(Big32(packet, entry + 2));
    return answer;
}
