// Copies that talk NetBIOS: what one writes reaches the other's inbox as the bytes written, and
// what is not a write to our mailslot never reaches it.
#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotInbox.h"
#include "platform/mailslot/MailslotTransport.h"
#include "platform/mailslot/MailslotWriter.h"
#include "platform/netbios/MailslotDatagram.h"

#include "support/TestInbox.h"

#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

// Selects NetBIOS for the test and plain UDP again after it.
class NetbiosTransportTest : public ::testing::Test
{
protected:
    void SetUp() override { SelectMailslotTransport("netbios", "workgroup"); }
    void TearDown() override { SelectMailslotTransport("udp", {}); }
};

QByteArray OtherMailslotWrite()
{
    MailslotDatagram datagram;
    datagram.source = {"WIN-DESK", 0x00, {}};
    datagram.destination = {"DESK-7", 0x00, {}};
    datagram.mailslot = "\\MAILSLOT\\BROWSE";
    datagram.data = "not for us";
    return EncodeMailslotDatagram(datagram).value_or(QByteArray());
}

} // namespace

TEST_F(NetbiosTransportTest, WritesArriveAsWrittenAndAnythingElseIsRefusedAndCounted)
{
    EXPECT_EQ(NetbiosWorkgroup(), "WORKGROUP");
    auto pInbox = OpenTestInbox();
    const QByteArray own = "\\\\.\\mailslot\\orvonet";
    const QByteArray everyone = "\\\\*\\mailslot\\orvonet";
    const QByteArray longest = QByteArray(kMaxGroupMailslotData - 1, 'g') + '\0';
    struct Write
    {
        QByteArray path;
        QByteArray data;
        MailslotWriteResult result;
    };
    const Write writes[] = {
        {own, QByteArray("hello\0", 6), MailslotWriteResult::Written},
        // Windows refuses a write of more than 424 bytes to every computer; so do we.
        {everyone, longest + 'x', MailslotWriteResult::WriteFailed},
        {everyone, longest, MailslotWriteResult::Written},
        // One computer may be sent more than the window shows: it is cut as a plain datagram is.
        {own, QByteArray(3000, 'u'), MailslotWriteResult::Written},
    };
    for (const Write& write : writes)
        EXPECT_EQ(WriteMailslotDatagram(write.path, write.data), write.result) << write.path.constData();

    QUdpSocket stranger;
    for (const QByteArray& packet : {QByteArray("plain text, no NetBIOS"), OtherMailslotWrite()})
        stranger.writeDatagram(packet, QHostAddress::LocalHost, MailslotPort());

    QByteArray cut(CMailslotInbox::kReadSize, 'u');
    cut.back() = '\0';
    const QList<QByteArray> expected{QByteArray("hello\0", 6), longest, cut};
    QList<QByteArray> received;
    for (int i = 0; i < 200 && (received.size() < expected.size() || pInbox->Refused() < 2); ++i) {
        received += ReadAll(*pInbox);
        QTest::qWait(10);
    }
    EXPECT_EQ(received, expected);
    EXPECT_EQ(pInbox->Refused(), 2u);
}
