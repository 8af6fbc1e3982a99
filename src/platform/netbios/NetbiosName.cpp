#include "platform/netbios/NetbiosName.h"

#include <QList>

namespace {

constexpr qsizetype kNameBytes = 16;
constexpr qsizetype kEncodedNameLabel = 2 * kNameBytes;
constexpr quint8 kMaxLabel = 63;
constexpr quint8 kPointerBits = 0xC0;

} // namespace

std::optional<QByteArray> EncodeNetbiosName(const NetbiosName& name)
{
    if (name.name.size() >= kNameBytes)
        return std::nullopt;
    QByteArray padded = name.name.leftJustified(kNameBytes - 1, ' ');
    padded.append(char(name.type));

    QByteArray encoded;
    encoded.append(char(kEncodedNameLabel));
    for (const char byte : padded) {
        encoded.append(char('A' + ((quint8(byte) >> 4) & 0x0F)));
        encoded.append(char('A' + (quint8(byte) & 0x0F)));
    }
    if (!name.scope.isEmpty()) {
        for (const QByteArray& label : name.scope.split('.')) {
            if (label.isEmpty() || label.size() > kMaxLabel)
                return std::nullopt;
            encoded.append(char(label.size()));
            encoded.append(label);
        }
    }
    encoded.append('\0');
    if (encoded.size() > kMaxEncodedNetbiosName)
        return std::nullopt;
    return encoded;
}

std::optional<NetbiosName> DecodeNetbiosName(QByteArrayView packet, qsizetype& pos)
{
    QList<QByteArrayView> labels;
    qsizetype cursor = pos;
    qsizetype end = -1; // where the caller goes on: after the first pointer, or the last zero
    qsizetype limit = pos; // each pointer goes before the last one's target: no loop
    qsizetype total = 1;
    for (;;) {
        if (cursor >= packet.size())
            return std::nullopt;
        const quint8 length = quint8(packet[cursor]);
        if ((length & kPointerBits) == kPointerBits) {
            if (cursor + 1 >= packet.size())
                return std::nullopt;
            const qsizetype target = ((length & ~kPointerBits) << 8) | quint8(packet[cursor + 1]);
            if (target >= limit)
                return std::nullopt;
            limit = target;
            if (end < 0)
                end = cursor + 2;
            cursor = target;
            continue;
        }
        if (length > kMaxLabel)
            return std::nullopt;
        if (length == 0) {
            if (end < 0)
                end = cursor + 1;
            break;
        }
        if (cursor + 1 + length > packet.size())
            return std::nullopt;
        total += 1 + length;
        if (total > kMaxEncodedNetbiosName)
            return std::nullopt;
        labels.append(packet.sliced(cursor + 1, length));
        cursor += 1 + length;
    }
    if (labels.isEmpty() || labels.front().size() != kEncodedNameLabel)
        return std::nullopt;

    QByteArray bytes;
    const QByteArrayView first = labels.front();
    for (qsizetype i = 0; i < kEncodedNameLabel; i += 2) {
        const quint8 high = quint8(first[i] - 'A');
        const quint8 low = quint8(first[i + 1] - 'A');
        if (high > 0x0F || low > 0x0F)
            return std::nullopt;
        bytes.append(char((high << 4) | low));
    }
    NetbiosName name;
    name.type = quint8(bytes.back());
    bytes.chop(1);
    while (bytes.endsWith(' '))
        bytes.chop(1);
    name.name = bytes;
    for (qsizetype i = 1; i < labels.size(); ++i) {
        if (i > 1)
            name.scope.append('.');
        name.scope.append(labels[i]);
    }
    pos = end;
    return name;
}
