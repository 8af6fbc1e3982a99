#include "platform/MailslotInbox.h"
#include "platform/MailslotWriter.h"

#include "support/TestInbox.h"

#include <QCoreApplication>

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

TEST(MailslotWriterTest, MalformedPathsAreRefused)
{
    for (const char* path : {"", "\\\\.\\mailslot\\other", "desk\\mailslot\\orvonet"})
        EXPECT_EQ(WriteMailslotDatagram(path, "x"), MailslotWriteResult::UnknownComputer) << path;
}

} // namespace
