#include "platform/mailslot/MailslotInbox.h"
#include "platform/mailslot/MailslotWriter.h"

#include "support/TestInbox.h"

#include <QCoreApplication>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

const QByteArray kOwn = "\\\\.\\mailslot\\orvonet";

TEST(MailslotInboxTest, ASecondInboxOnTheSameMachineFails)
{
    auto pFirst = OpenTestInbox();
    CMailslotInbox second;
    EXPECT_FALSE(second.Create());
    EXPECT_FALSE(second.IsValid());
    int nCount = -1;
    EXPECT_FALSE(second.GetInfo(nCount));
    EXPECT_EQ(second.LastError(), CMailslotInbox::kErrorInvalidHandle);

    // Once the owner closes it, the inbox can be opened again.
    pFirst->Close();
    EXPECT_TRUE(second.Create());
}

TEST(MailslotInboxTest, CountIsTakenWithoutBlockingAndReadsGoOldestFirst)
{
    auto pInbox = OpenTestInbox();
    int nCount = -1;
    ASSERT_TRUE(pInbox->GetInfo(nCount));
    EXPECT_EQ(nCount, 0);
    QByteArray datagram;
    EXPECT_FALSE(pInbox->Read(datagram));

    for (const char* text : {"one", "two", "three", "four", "five"})
        ASSERT_EQ(WriteMailslotDatagram(kOwn, text), MailslotWriteResult::Written);
    ASSERT_TRUE(pInbox->GetInfo(nCount));
    EXPECT_EQ(nCount, 5);
    ASSERT_TRUE(pInbox->Read(datagram));
    EXPECT_EQ(datagram, "one");

    // A datagram arriving after the count waits behind the ones counted.
    ASSERT_EQ(WriteMailslotDatagram(kOwn, "six"), MailslotWriteResult::Written);
    ASSERT_TRUE(pInbox->GetInfo(nCount));
    EXPECT_EQ(nCount, 5);
    QList<QByteArray> rest;
    while (pInbox->Read(datagram))
        rest.append(datagram);
    EXPECT_EQ(rest, (QList<QByteArray>{"two", "three", "four", "five", "six"}));
}

TEST(MailslotInboxTest, DatagramsAreTakenInWhileTheEventLoopRuns)
{
    auto pInbox = OpenTestInbox();
    ASSERT_EQ(WriteMailslotDatagram(kOwn, "early"), MailslotWriteResult::Written);
    QCoreApplication::processEvents();
    int nCount = 0;
    ASSERT_TRUE(pInbox->GetInfo(nCount));
    EXPECT_EQ(nCount, 1);
}

TEST(MailslotInboxTest, DatagramsAtTheReadLimit)
{
    auto pInbox = OpenTestInbox();
    const struct
    {
        int nSent;
        int nRead;
    } cases[] = {{0, 0}, {1999, 1999}, {2000, 2000}, {2001, 2000}, {65000, 2000}};
    for (const auto& c : cases)
        ASSERT_EQ(WriteMailslotDatagram(kOwn, QByteArray(c.nSent, 'z')), MailslotWriteResult::Written);
    const QList<QByteArray> received = ReadAll(*pInbox);
    ASSERT_EQ(received.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(received[qsizetype(i)].size(), cases[i].nRead) << cases[i].nSent;
        // A cut datagram ends with a zero so its text keeps to 1999 bytes.
        if (cases[i].nSent > CMailslotInbox::kReadSize) {
            EXPECT_EQ(received[qsizetype(i)].back(), '\0');
        }
    }
}

// Every datagram sent is read, in order, or counted as dropped by the system; dropped only
// when the queue is full, since a thread of the inbox takes them in while nobody reads.
TEST(MailslotInboxTest, EveryDatagramIsReadInOrderOrCountedAsDropped)
{
    const struct
    {
        const char* name;
        qsizetype nQueueLimit;
        int nSystemBuffer;
        int nSent;
        bool bFull; // else at most a tenth may be dropped, by a machine too busy to run the thread
    } cases[] = {
        // Several times what the system's buffer holds, sent while nobody reads.
        {"nobody reading", CMailslotInbox::kDefaultQueueLimit, CMailslotInbox::kDefaultSystemBuffer, 50000, false},
        // The queue is full at once, so the thread stops taking them in and the system drops.
        {"queue full", 1, 4096, 500, true},
        {"queue of a few", 2000, 4096, 500, true},
    };
    for (const auto& c : cases) {
        auto pInbox = std::make_unique<CMailslotInbox>(c.nQueueLimit, c.nSystemBuffer);
        ASSERT_TRUE(CreateOnFreePort(*pInbox)) << c.name;
        QUdpSocket sender;
        const auto port = quint16(qEnvironmentVariableIntValue("TELLWICK_MAILSLOT_PORT"));
        for (int i = 1; i <= c.nSent; ++i) {
            const QByteArray text = QByteArray::number(i);
            ASSERT_EQ(sender.writeDatagram(text, QHostAddress::LocalHost, port), text.size()) << c.name;
        }
        int nRead = 0;
        int nLast = 0;
        bool bInOrder = true;
        // The thread takes the rest in as reading makes room.
        [[maybe_unused]] const bool bAllThere = QTest::qWaitFor(
            [&] {
                for (const QByteArray& datagram : ReadAll(*pInbox)) {
                    bInOrder = bInOrder && datagram.toInt() > nLast;
                    nLast = datagram.toInt();
                    ++nRead;
                }
                return nRead + pInbox->DroppedBySystem() >= quint64(c.nSent);
            },
            30000);
        const quint64 nDropped = pInbox->DroppedBySystem();
        EXPECT_EQ(nRead + nDropped, quint64(c.nSent)) << c.name;
        EXPECT_TRUE(bInOrder) << c.name;
        if (c.bFull)
            EXPECT_GT(nDropped, 0u) << c.name;
        else
            EXPECT_LE(nDropped, quint64(c.nSent / 10)) << c.name;
    }
}

// The system's buffer overflows in a burst; the first count after it tells every drop, also
// those after the last datagram that got in, which no datagram carries.
TEST(MailslotInboxTest, TheFirstCountAfterABurstTellsEveryDrop)
{
    CMailslotInbox inbox(CMailslotInbox::kDefaultQueueLimit, 4096);
    ASSERT_TRUE(CreateOnFreePort(inbox));
    // Each as long as fits in one frame: the buffer holds a few, and the inbox's thread mostly
    // falls behind; a burst it kept up with is sent again.
    quint64 nSent = 0;
    quint64 nRead = 0;
    for (int burst = 0; burst < 20 && inbox.DroppedBySystem() == 0; ++burst) {
        const QByteArray datagram(1400, 'd');
        for (int i = 0; i < 500; ++i, ++nSent)
            ASSERT_EQ(WriteMailslotDatagram(kOwn, datagram), MailslotWriteResult::Written);
        nRead += quint64(ReadAll(inbox).size());
        EXPECT_EQ(nRead + inbox.DroppedBySystem(), nSent) << "burst " << burst;
    }
    EXPECT_GT(inbox.DroppedBySystem(), 0u);
}

TEST(MailslotWriterTest, MalformedPathsAreRefused)
{
    for (const char* path : {"", "\\\\.\\mailslot\\other", "desk\\mailslot\\orvonet"})
        EXPECT_EQ(WriteMailslotDatagram(path, "x"), MailslotWriteResult::UnknownComputer) << path;
}

} // namespace
