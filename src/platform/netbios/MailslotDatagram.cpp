#include "platform/netbios/MailslotDatagram.h"

#include "platform/netbios/NetworkBytes.h"

#include <algorithm>

#include <QtEndian>

namespace {

// The datagram header: type, flags, id, source address and port, length, packet offset.
constexpr qsizetype kHeaderSize = 14;
constexpr quint8 kFlagMore = 0x01;
constexpr quint8 kFlagFirst = 0x02;

// The SMB header and the TRANSACTION request's words, counted from the SMB header's start.
constexpr char kSmbMagic[] = "\xFFSMB";
constexpr qsizetype kSmbHeaderSize = 32;
constexpr quint8 kSmbTransaction = 0x25;
constexpr qsizetype kWordCount = 32;
constexpr qsizetype kWords = 33;
constexpr quint8 kTransactionWords = 14; // before the setup words
constexpr quint8 kMailslotSetupWords = 3;
constexpr qsizetype kDataCountWord = 11;
constexpr qsizetype kDataOffsetWord = 12;
constexpr qsizetype kSetupCountWord = 13;
constexpr quint16 kMailslotWrite = 1;
constexpr quint16 kPriority = 1;
constexpr quint16 kUnreliableClass = 2;

void AppendLittle16(QByteArray& out, quint16 value)
{
    out.append(char(value)).append(char(value >> 8));
}

quint16 Little16(QByteArrayView bytes, qsizetype pos)
{
    return qFromLittleEndian<quint16>(bytes.data() + pos);
}

} // namespace

std::optional<QByteArray> EncodeMailslotDatagram(const MailslotDatagram& datagram)
{
    const std::optional<QByteArray> source = EncodeNetbiosName(datagram.source);
    const std::optional<QByteArray> destination = EncodeNetbiosName(datagram.destination);
    if (!source || !destination || datagram.mailslot.contains('\0'))
        return std::nullopt;
    if (datagram.type == NetbiosDatagramType::DirectGroup
        && datagram.data.size() > kMaxGroupMailslotData)
        return std::nullopt;
    const qsizetype dataOffset = kWords + qsizetype{2} * (kTransactionWords + kMailslotSetupWords)
                                 + 2 + datagram.mailslot.size() + 1;
    const qsizetype smbSize = dataOffset + datagram.data.size();
    const qsizetype bodySize = source->size() + destination->size() + smbSize;
    if (kHeaderSize + bodySize > kMaxNetbiosDatagram)
        return std::nullopt;

    QByteArray out;
    out.reserve(kHeaderSize + bodySize);
    out.append(char(datagram.type)).append(char(kFlagFirst));
    AppendBig16(out, datagram.id);
    AppendBig32(out, datagram.sourceAddress);
    AppendBig16(out, datagram.sourcePort);
    AppendBig16(out, quint16(bodySize));
    AppendBig16(out, 0);
    out.append(*source).append(*destination);

    out.append(kSmbMagic, 4).append(char(kSmbTransaction));
    out.append(QByteArray(kSmbHeaderSize - 5, '\0'));
    const quint16 dataCount = quint16(datagram.data.size());
    out.append(char(kTransactionWords + kMailslotSetupWords));
    AppendLittle16(out, 0);         // total parameter count
    AppendLittle16(out, dataCount); // total data count
    AppendLittle16(out, 0);         // most parameter bytes returned
    AppendLittle16(out, 0);         // most data bytes returned
    out.append(QByteArray(2 + 2 + 4 + 2, '\0')); // setup returned, flags, time-out, reserved
    AppendLittle16(out, 0);         // parameter count
    AppendLittle16(out, 0);         // parameter offset
    AppendLittle16(out, dataCount);
    AppendLittle16(out, quint16(dataOffset));
    AppendLittle16(out, kMailslotSetupWords);
    AppendLittle16(out, kMailslotWrite);
    AppendLittle16(out, kPriority);
    AppendLittle16(out, kUnreliableClass);
    AppendLittle16(out, quint16(datagram.mailslot.size() + 1 + datagram.data.size()));
    out.append(datagram.mailslot).append('\0').append(datagram.data);
    return out;
}

std::optional<MailslotDatagram> DecodeMailslotDatagram(QByteArrayView packet, DatagramEnd end)
{
    const bool bMayBeCut = end == DatagramEnd::MayBeCut;
    if (packet.size() < kHeaderSize)
        return std::nullopt;
    const quint8 type = quint8(packet[0]);
    const quint8 flags = quint8(packet[1]);
    if (type != quint8(NetbiosDatagramType::DirectUnique)
        && type != quint8(NetbiosDatagramType::DirectGroup))
        return std::nullopt;
    // Fragments are not put together again: Windows and Samba send a mailslot write whole.
    if (!(flags & kFlagFirst) || (flags & kFlagMore) || Big16(packet, 12) != 0)
        return std::nullopt;
    qsizetype length = Big16(packet, 10);
    if (bMayBeCut)
        length = std::min(length, packet.size() - kHeaderSize);
    if (length > packet.size() - kHeaderSize)
        return std::nullopt;
    packet = packet.first(kHeaderSize + length);

    MailslotDatagram datagram;
    datagram.type = NetbiosDatagramType(type);
    datagram.id = Big16(packet, 2);
    datagram.sourceAddress = Big32(packet, 4);
    datagram.sourcePort = Big16(packet, 8);
    qsizetype pos = kHeaderSize;
    std::optional<NetbiosName> source = DecodeNetbiosName(packet, pos);
    if (!source)
        return std::nullopt;
    std::optional<NetbiosName> destination = DecodeNetbiosName(packet, pos);
    if (!destination)
        return std::nullopt;
    datagram.source = std::move(*source);
    datagram.destination = std::move(*destination);

    const QByteArrayView smb = packet.sliced(pos);
    if (smb.size() < kWords || !smb.startsWith(QByteArrayView(kSmbMagic, 4))
        || quint8(smb[4]) != kSmbTransaction)
        return std::nullopt;
    const quint8 wordCount = quint8(smb[kWordCount]);
    if (wordCount < kTransactionWords + kMailslotSetupWords
        || kWords + 2 * qsizetype(wordCount) + 2 > smb.size())
        return std::nullopt;
    const auto word = [&](qsizetype i) { return Little16(smb, kWords + 2 * i); };
    if (quint8(word(kSetupCountWord)) != wordCount - kTransactionWords
        || word(kTransactionWords) != kMailslotWrite)
        return std::nullopt;

    const qsizetype bytesStart = kWords + 2 * qsizetype(wordCount) + 2;
    qsizetype byteCount = Little16(smb, bytesStart - 2);
    if (bMayBeCut)
        byteCount = std::min(byteCount, smb.size() - bytesStart);
    if (byteCount > smb.size() - bytesStart)
        return std::nullopt;
    const QByteArrayView bytes = smb.sliced(bytesStart, byteCount);
    const qsizetype nameEnd = bytes.indexOf('\0');
    if (nameEnd < 0)
        return std::nullopt;
    datagram.mailslot = bytes.first(nameEnd).toByteArray();

    qsizetype dataCount = word(kDataCountWord);
    const qsizetype dataOffset = word(kDataOffsetWord);
    if (bMayBeCut && dataOffset <= smb.size())
        dataCount = std::min(dataCount, smb.size() - dataOffset);
    if (dataOffset < bytesStart + nameEnd + 1 || dataCount > smb.size() - dataOffset)
        return std::nullopt;
    datagram.data = smb.sliced(dataOffset, dataCount).toByteArray();
    return datagram;
}
