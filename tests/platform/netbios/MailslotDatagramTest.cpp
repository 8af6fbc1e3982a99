#include "platform/netbios/MailslotDatagram.h"

#include "support/Bytes.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

MailslotDatagram Write(QByteArray data, NetbiosDatagramType type = NetbiosDatagramType::DirectUnique)
{
    MailslotDatagram datagram;
    datagram.type = type;
    datagram.id = 0x1234;
    datagram.sourceAddress = 0xC0A80007; // 192.168.0.7
    datagram.source = {"DESK-7", 0x00, {}};
    datagram.destination = {type == NetbiosDatagramType::DirectGroup ? "WORKGROUP" : "DESK-9", 0x00, {}};
    datagram.mailslot = "\\MAILSLOT\\ORVONET";
    datagram.data = std::move(data);
    return datagram;
}

QByteArray Encoded(const MailslotDatagram& datagram)
{
    const std::optional<QByteArray> bytes = EncodeMailslotDatagram(datagram);
    EXPECT_TRUE(bytes);
    return bytes.value_or(QByteArray());
}

// Where the SMB transaction starts in a datagram with the two default names and no scope.
constexpr qsizetype kSmb = 14 + 34 + 34;

void PutLittle16(QByteArray& bytes, qsizetype pos, quint16 value)
{
    qToLittleEndian(value, bytes.data() + pos);
}

} // namespace

TEST(MailslotDatagramTest, WhatIsWrittenReadsBackTheSame)
{
    MailslotDatagram scoped = Write(Bytes("hello\0"));
    scoped.source.scope = "corp.example";
    scoped.destination = {"DESK-9", 0x20, "corp.example"};
    const MailslotDatagram cases[] = {
        Write(Bytes("hello\0")),
        Write(""),
        scoped,
        Write(QByteArray(kMaxGroupMailslotData, 'x'), NetbiosDatagramType::DirectGroup),
        Write(QByteArray(65000, '\x03')),
    };
    for (const MailslotDatagram& datagram : cases) {
        const QByteArray bytes = Encoded(datagram);
        const std::optional<MailslotDatagram> read = DecodeMailslotDatagram(bytes);
        ASSERT_TRUE(read) << Hex(bytes.first(std::min<qsizetype>(bytes.size(), 120)));
        EXPECT_EQ(*read, datagram) << datagram.data.size();
    }
}

TEST(MailslotDatagramTest, WritesThatCannotBeSentAreRefused)
{
    const std::pair<const char*, std::function<void(MailslotDatagram&)>> cases[] = {
        {"a name of 16 bytes", [](MailslotDatagram& d) { d.destination.name = "ABCDEFGHIJKLMNOP"; }},
        {"an empty scope label", [](MailslotDatagram& d) { d.source.scope = "corp..example"; }},
        {"a scope label of 64 bytes", [](MailslotDatagram& d) { d.source.scope = QByteArray(64, 'a'); }},
        {"a zero byte in the mailslot's name", [](MailslotDatagram& d) { d.mailslot = Bytes("\\MAILSLOT\\A\0B"); }},
        {"a group write of 425 bytes",
         [](MailslotDatagram& d) {
             d.type = NetbiosDatagramType::DirectGroup;
             d.data = QByteArray(kMaxGroupMailslotData + 1, 'x');
         }},
        {"more than one UDP packet carries", [](MailslotDatagram& d) { d.data = QByteArray(65400, 'x'); }},
    };
    for (const auto& [what, change] : cases) {
        MailslotDatagram datagram = Write(Bytes("hello\0"));
        change(datagram);
        EXPECT_FALSE(EncodeMailslotDatagram(datagram)) << what;
    }
}

TEST(MailslotDatagramTest, EveryShortenedDatagramIsRefused)
{
    const QByteArray bytes = Encoded(Write(Bytes("hello\0")));
    for (qsizetype size = 0; size < bytes.size(); ++size) {
        // A copy of just that size, so a read past it is caught by the address sanitizer.
        const QByteArray cut = bytes.first(size);
        EXPECT_FALSE(DecodeMailslotDatagram(cut)) << size;
    }
}

TEST(MailslotDatagramTest, MalformedDatagramsAreRefused)
{
    const std::pair<const char*, std::function<void(QByteArray&)>> cases[] = {
        {"a broadcast datagram", [](QByteArray& b) { b[0] = 0x12; }},
        {"a query", [](QByteArray& b) { b[0] = 0x14; }},
        {"a fragment with more to come", [](QByteArray& b) { b[1] = 0x03; }},
        {"a later fragment", [](QByteArray& b) { b[1] = 0x00; }},
        {"a packet offset", [](QByteArray& b) { b[13] = 1; }},
        {"a length past the end", [](QByteArray& b) { b[11] = char(quint8(b[11]) + 1); }},
        {"a name letter past 'P'", [](QByteArray& b) { b[15] = 'Q'; }},
        {"a name label of 31 letters", [](QByteArray& b) { b[14] = 31; }},
        {"a pointer to itself", [](QByteArray& b) { b[48] = char(0xC0); b[49] = 48; }},
        {"a pointer forwards", [](QByteArray& b) { b[14] = char(0xC0); b[15] = 48; }},
        {"another SMB command", [](QByteArray& b) { b[kSmb + 4] = 0x32; }},
        {"no SMB magic", [](QByteArray& b) { b[kSmb] = 'x'; }},
        {"too few words", [](QByteArray& b) { b[kSmb + 32] = 16; }},
        {"setup words not counted alike", [](QByteArray& b) { b[kSmb + 32] = 18; }},
        {"a read, not a write", [](QByteArray& b) { PutLittle16(b, kSmb + 33 + 28, 2); }},
        {"more bytes than there are", [](QByteArray& b) { PutLittle16(b, kSmb + 67, 100); }},
        {"a mailslot name without its end",
         [](QByteArray& b) { PutLittle16(b, kSmb + 67, 17); }},
        {"data past the end", [](QByteArray& b) { PutLittle16(b, kSmb + 33 + 22, 7); }},
        {"data inside the mailslot's name", [](QByteArray& b) { PutLittle16(b, kSmb + 33 + 24, 80); }},
    };
    const QByteArray good = Encoded(Write(Bytes("hello\0")));
    ASSERT_TRUE(DecodeMailslotDatagram(good));
    for (const auto& [what, change] : cases) {
        QByteArray bytes = good;
        change(bytes);
        EXPECT_FALSE(DecodeMailslotDatagram(bytes)) << what;
    }
}

TEST(MailslotDatagramTest, WhatSendersFillInDifferentlyIsAccepted)
{
    const std::pair<const char*, std::function<void(QByteArray&)>> cases[] = {
        {"an M node", [](QByteArray& b) { b[1] = 0x0A; }},
        {"SMB flags and status", [](QByteArray& b) { b[kSmb + 5] = 1; b[kSmb + 9] = 0x18; }},
        {"a time-out and no-response flag",
         [](QByteArray& b) { PutLittle16(b, kSmb + 33 + 10, 2); b[kSmb + 33 + 12] = char(0xFF); }},
        {"priority 0", [](QByteArray& b) { PutLittle16(b, kSmb + 33 + 30, 0); }},
        {"bytes after the datagram's length", [](QByteArray& b) { b.append("trailer"); }},
        {"the destination pointing at the source's name",
         [](QByteArray& b) {
             // As Samba packs a datagram sent to its own name.
             b.replace(48, 34, "\xC0\x0E");
             qToBigEndian(quint16(qFromBigEndian<quint16>(b.data() + 10) - 32), b.data() + 10);
         }},
    };
    const MailslotDatagram datagram = Write(Bytes("hello\0"));
    for (const auto& [what, change] : cases) {
        QByteArray bytes = Encoded(datagram);
        change(bytes);
        const std::optional<MailslotDatagram> read = DecodeMailslotDatagram(bytes);
        ASSERT_TRUE(read) << what;
        EXPECT_EQ(read->data, datagram.data) << what;
        EXPECT_EQ(read->mailslot, datagram.mailslot) << what;
    }
}
