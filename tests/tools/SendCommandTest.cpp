#include "tools/SendCommand.h"

#include "messaging/Mailslot.h"
#include "support/TestInbox.h"

#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct SendRun
{
    int nStatus;
    std::string out;
    std::string err;
};

SendRun RunSend(std::vector<QByteArray> args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int nStatus = RunSendCommand(args, in, out, err);
    return {nStatus, out.str(), err.str()};
}

class SendCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { m_pInbox = OpenTestInbox(); }

    QList<QByteArray> Received() { return ReadAll(*m_pInbox); }

    std::unique_ptr<CMailslotInbox> m_pInbox;
};

TEST_F(SendCommandTest, SendsTheJoinedTranslatedWordsAsOneDatagram)
{
    const struct
    {
        std::vector<QByteArray> args;
        std::string input;
        QByteArray datagram;
    } cases[] = {
        {{"localhost", "<r>Alarm<w,r> now"}, {}, Bytes("\x03" "04Alarm\x03" "00,04 now\0")},
        {{"localhost", "disk", "full", "<r>now"}, {}, Bytes("disk full \x03" "04now\0")},
        {{"", "hello"}, {}, Bytes("hello\0")},
        {{".", ""}, {}, QByteArray(1, '\0')},
        {{"localhost", "-"}, "from a pipe\n", Bytes("from a pipe\0")},
        {{"localhost", "-"}, "crlf\r\n", Bytes("crlf\0")},
        {{"localhost", "a", "-"}, {}, Bytes("a -\0")},
    };
    for (const auto& c : cases) {
        const SendRun run = RunSend(c.args, c.input);
        EXPECT_EQ(run.nStatus, 0) << run.err;
        const QList<QByteArray> received = Received();
        ASSERT_EQ(received.size(), 1);
        EXPECT_EQ(Hex(received[0]), Hex(c.datagram));
    }
}

TEST_F(SendCommandTest, HelpAndWrongArguments)
{
    const SendRun help = RunSend({"--help"});
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.out.find("Usage: tellwick-send COMPUTER MESSAGE..."), std::string::npos);

    for (const auto& args : {std::vector<QByteArray>{}, std::vector<QByteArray>{"localhost"}}) {
        const SendRun run = RunSend(args);
        EXPECT_EQ(run.nStatus, 2);
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
    EXPECT_TRUE(Received().isEmpty());
}

TEST_F(SendCommandTest, FailuresAreReportedWithAStatus)
{
    const SendRun unknown = RunSend({"no-such-computer.invalid", "hi"});
    EXPECT_EQ(unknown.nStatus, 1);
    EXPECT_NE(unknown.err.find("cannot find computer \"no-such-computer.invalid\""), std::string::npos);

    const SendRun tooLarge = RunSend({"localhost", QByteArray(70000, 'x')});
    EXPECT_EQ(tooLarge.nStatus, 1);
    EXPECT_NE(tooLarge.err.find("cannot write"), std::string::npos);
    EXPECT_TRUE(Received().isEmpty());
}

TEST_F(SendCommandTest, WarnsWhenTheReceiverWillCutTheMessage)
{
    const SendRun run = RunSend({"localhost", QByteArray(2500, 'x')});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_NE(run.err.find("warning"), std::string::npos);
    EXPECT_EQ(Received().size(), 1);
    EXPECT_TRUE(RunSend({"localhost", QByteArray(1999, 'x')}).err.empty());
}

} // namespace
