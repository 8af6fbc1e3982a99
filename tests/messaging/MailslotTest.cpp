#include "messaging/Mailslot.h"
#include "platform/mailslot/HostResolver.h"

#include "support/TestInbox.h"

#include "support/Bytes.h"
#include "support/WarningCapture.h"

#include <QHostAddress>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(MailslotPathTest, BuildsPathsWithTheTypedComputer)
{
    const struct
    {
        const char* typed;
        const char* path;
    } cases[] = {
        {"", "\\\\.\\mailslot\\orvonet"},
        {"localhost", "\\\\.\\mailslot\\orvonet"},
        {"LocalHost", "\\\\.\\mailslot\\orvonet"},
        {"LOCALHOST", "\\\\.\\mailslot\\orvonet"},
        {"localhost2", "\\\\localhost2\\mailslot\\orvonet"},
        {"desk-7", "\\\\desk-7\\mailslot\\orvonet"},
        {"*", "\\\\*\\mailslot\\orvonet"},
        {"a-computer-name-much-longer-than-thirty-one-characters",
         "\\\\a-computer-name-much-longer-than-thirty-one-characters\\mailslot\\orvonet"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MailslotPath(ComputerPart(c.typed)), QByteArray(c.path)) << c.typed;
    EXPECT_EQ(QByteArray(kOwnMailslotPath), MailslotPath("."));
    EXPECT_EQ(QByteArray(kBroadcastMailslotPath), MailslotPath("*"));
}

TEST(MailslotTextTest, TextEndsAtTheFirstZeroByte)
{
    EXPECT_EQ(DatagramText(Bytes("hello\0")), "hello");
    EXPECT_EQ(DatagramText(Bytes("\0")), "");
    EXPECT_EQ(DatagramText(Bytes("a\0b\0")), "a");
    EXPECT_EQ(DatagramText("no terminator"), "no terminator");
    EXPECT_EQ(DatagramText(""), "");
}

TEST(MailslotTextTest, PingIsFoundAnywhereInExactCase)
{
    const struct
    {
        const char* text;
        bool bPing;
    } cases[] = {
        {"<PING>", true},        {"status <PING> check", true}, {"x<PING>", true},
        {"<ping>", false},       {"<Ping>", false},             {"<PING", false},
        {"PING", false},         {"< PING>", false},            {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPing(c.text), c.bPing) << c.text;
}

class MailslotLoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override { m_pInbox = OpenTestInbox(); }

    std::unique_ptr<CMailslotInbox> m_pInbox;
};

TEST_F(MailslotLoopbackTest, OwnInboxReceivesEachDatagramWhole)
{
    const QByteArray longest(1999, 'x');
    const QByteArray texts[] = {"hello", "", "\x03" "04Alarm", longest};
    for (const QByteArray& text : texts)
        ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, text));

    const QList<QByteArray> received = ReadAll(*m_pInbox);
    ASSERT_EQ(received.size(), 4);
    EXPECT_EQ(Hex(received[0]), Hex(Bytes("hello\0")));
    EXPECT_EQ(received[1], QByteArray(1, '\0'));
    EXPECT_EQ(Hex(received[2]), Hex(Bytes("\x03" "04Alarm\0")));
    EXPECT_EQ(received[3].size(), 2000);
    EXPECT_EQ(DatagramText(received[3]), longest);
}

TEST_F(MailslotLoopbackTest, TypedMessageGoesOutTranslatedAsOneDatagram)
{
    for (const char* computer : {"localhost", "LOCALHOST", "", "127.0.0.1"})
        PostTypedMessage(computer, "<r>Alarm<w,r> now");

    const QByteArray expected = Bytes("\x03" "04Alarm\x03" "00,04 now\0");
    QList<QByteArray> received;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        received += ReadAll(*m_pInbox);
        return received.size() >= 4;
    }));
    ASSERT_EQ(received.size(), 4);
    for (const QByteArray& datagram : received)
        EXPECT_EQ(Hex(datagram), Hex(expected));
}

TEST_F(MailslotLoopbackTest, OversizedDatagramIsCutAndDoesNotBlockTheNext)
{
    ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, QByteArray(5000, 'a')));
    ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, "after"));

    const QList<QByteArray> received = ReadAll(*m_pInbox);
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(DatagramText(received[0]), QByteArray(1999, 'a'));
    EXPECT_EQ(DatagramText(received[1]), "after");
}

TEST_F(MailslotLoopbackTest, AWriteThatCannotGoOutSaysWhyAndNothingArrives)
{
    const struct
    {
        const char* computer;
        QByteArray datagram;
        MailslotWriteResult result;
    } cases[] = {
        {"no-such-computer.invalid", "hi", MailslotWriteResult::UnknownComputer},
        {".", QByteArray(70000, 'x'), MailslotWriteResult::WriteFailed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteMailslotDatagram(MailslotPath(c.computer), c.datagram), c.result) << c.computer;
        EXPECT_TRUE(ReadAll(*m_pInbox).isEmpty()) << c.computer;
    }
}

TEST_F(MailslotLoopbackTest, APostedMessageGoesOutWhenTheSystemResolverAnswers)
{
    const struct
    {
        const char* computer;
        bool bAtOnce; // no name to look up: sent or refused before the call returns
        int nReceived;
        const char* warning;
    } cases[] = {
        {"127.0.0.1", true, 1, nullptr},
        {"localhost", false, 1, nullptr},
        {"no-such-computer.invalid", false, 0,
         "cannot find computer \"no-such-computer.invalid\": "},
        {"desk\\7", true, 0,
         "cannot find computer \"\\\\desk\\7\\mailslot\\orvonet\": not a computer name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.computer);
        CWarningCapture warnings("tellwick.mailslot");
        PostMailslotDatagram(MailslotPath(c.computer), "hi");
        QStringList lines = warnings.Take();
        QList<QByteArray> received = ReadAll(*m_pInbox);
        // A name is answered through the event loop, never while the caller waits.
        EXPECT_EQ(!lines.isEmpty() || !received.isEmpty(), c.bAtOnce);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            lines += warnings.Take();
            received += ReadAll(*m_pInbox);
            return received.size() + lines.size() > 0;
        }));
        EXPECT_EQ(received.size(), c.nReceived);
        ASSERT_EQ(lines.size(), c.warning ? 1 : 0) << lines.join(u'\n').toStdString();
        if (c.warning) {
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("tellwick.mailslot: ") +
                                            QLatin1String(c.warning)))
                << lines[0].toStdString();
        }
    }
}

// Answers every look-up at once with the same address.
class CFixedResolver : public CHostResolver
{
public:
    explicit CFixedResolver(quint32 address) : m_address(address) { Install(this); }
    ~CFixedResolver() override { Install(nullptr); }

    void Lookup(const QByteArray&, Callback done) override { done({m_address}, {}); }

private:
    quint32 m_address;
};

// Only "*" reaches every computer: a name whose answer is a broadcast or network address (here
// the loopback subnet's, which stay on this machine) is refused, and so is such an address.
TEST_F(MailslotLoopbackTest, ANameOrAddressOfManyComputersIsRefused)
{
    const struct
    {
        quint32 address;
        const char* what; // nullptr: sent
    } cases[] = {
        {0x7F000001, nullptr},
        {0x7FFFFFFF, "a broadcast address (127.255.255.255)"},
        {0x7F000000, "a network address (127.0.0.0)"},
        {0x00000000, "the unspecified address (0.0.0.0)"},
    };
    for (const auto& c : cases) {
        const QString address = QHostAddress(c.address).toString();
        SCOPED_TRACE(address.toStdString());
        CFixedResolver resolver(c.address);
        CWarningCapture warnings("tellwick.mailslot");
        PostMailslotDatagram(MailslotPath("desk7"), "hi");
        QString strWhy;
        const MailslotWriteResult written =
            WriteMailslotDatagram(MailslotPath(address.toLatin1()), "hi", &strWhy);
        const QList<QByteArray> received = ReadAll(*m_pInbox);
        const QStringList lines = warnings.Take();
        if (!c.what) {
            EXPECT_EQ(written, MailslotWriteResult::Written);
            EXPECT_EQ(received.size(), 2);
            EXPECT_TRUE(lines.isEmpty()) << lines.join(u'\n').toStdString();
            continue;
        }
        EXPECT_EQ(written, MailslotWriteResult::NotOneComputer);
        EXPECT_EQ(strWhy, QStringLiteral("resolves to ") + QLatin1String(c.what));
        EXPECT_TRUE(received.isEmpty());
        EXPECT_EQ(lines, QStringList{QStringLiteral("tellwick.mailslot: cannot send to \"desk7\": it resolves to ") +
                                     QLatin1String(c.what) +
                                     QStringLiteral(", not to one computer; the message is not sent")});
    }
}

// Broadcasting reaches real networks, so it is tested only inside a private network namespace
// that the ctest wrapper sets up (TELLWICK_ISOLATED_NETWORK).
TEST_F(MailslotLoopbackTest, PingAnswerIsBroadcastAndReachesTheOwnInbox)
{
    if (qEnvironmentVariableIsEmpty("TELLWICK_ISOLATED_NETWORK"))
        GTEST_SKIP() << "needs a private network namespace";
    AnswerPing();
    const QList<QByteArray> received = ReadAll(*m_pInbox);
    ASSERT_GE(received.size(), 1);
    EXPECT_FALSE(DatagramText(received[0]).isEmpty());
    EXPECT_LE(DatagramText(received[0]).size(), 15);
    EXPECT_EQ(received[0].back(), '\0');
}

} // namespace
