#include "tools/SendCommand.h"

#include "about/ProgramVersion.h"
#include "messaging/Mailslot.h"
#include "support/TestInbox.h"

#include "support/Bytes.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <streambuf>

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
        // Options come before the computer only: later words are sent as they are.
        {{"localhost", "-v", "--help", "--"}, {}, Bytes("-v --help --\0")},
        {{"--", "localhost", "-x"}, {}, Bytes("-x\0")},
        // Bytes that are not text in the locale are sent untouched.
        {{"localhost", "caf\xE9 \xFF\xFE"}, {}, Bytes("caf\xE9 \xFF\xFE\0")},
    };
    for (const auto& c : cases) {
        const SendRun run = RunSend(c.args, c.input);
        EXPECT_EQ(run.nStatus, 0) << run.err;
        const QList<QByteArray> received = Received();
        ASSERT_EQ(received.size(), 1);
        EXPECT_EQ(Hex(received[0]), Hex(c.datagram));
    }
}

TEST_F(SendCommandTest, HelpVersionAndWrongArguments)
{
    const std::string version = std::string("tellwick-send (Tellwick) ") + ProgramVersionText() + "\n";
    const struct
    {
        std::vector<QByteArray> args;
        int nStatus;
        std::string out; // contained in standard output
        std::string err; // contained in standard error
    } cases[] = {
        {{"--help"}, 0, "Usage: tellwick-send COMPUTER MESSAGE...", ""},
        {{"-h", "localhost", "hi"}, 0, "Usage: tellwick-send COMPUTER MESSAGE...", ""},
        {{"--version"}, 0, version, ""},
        {{"-v"}, 0, version, ""},
        {{}, 2, "", "Usage:"},
        {{"localhost"}, 2, "", "Usage:"},
        {{"--bogus", "localhost", "hi"}, 2, "",
         "tellwick-send: Unknown option 'bogus'.\nTry 'tellwick-send --help' for more information.\n"},
        {{"-x", "localhost", "hi"}, 2, "", "Unknown option 'x'."},
    };
    for (const auto& c : cases) {
        const SendRun run = RunSend(c.args);
        EXPECT_EQ(run.nStatus, c.nStatus) << run.out << run.err;
        EXPECT_EQ(run.out.empty(), c.out.empty()) << run.out;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_EQ(run.err.empty(), c.err.empty()) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_TRUE(Received().isEmpty());
}

TEST_F(SendCommandTest, FailuresAreReportedWithAStatus)
{
    const SendRun unknown = RunSend({"no-such-computer.invalid", "hi"});
    EXPECT_EQ(unknown.nStatus, 1);
    EXPECT_NE(unknown.err.find("cannot find computer \"no-such-computer.invalid\""), std::string::npos);

    // The rest of the input is not sent after a failed line.
    const SendRun lines = RunSend({"no-such-computer.invalid", "-"}, "one\ntwo\n");
    EXPECT_EQ(lines.nStatus, 1);
    EXPECT_EQ(lines.err, "tellwick-send: cannot find computer \"no-such-computer.invalid\"\n");
    EXPECT_TRUE(Received().isEmpty());
}

TEST_F(SendCommandTest, EveryLineOfStandardInputIsAMessageOfItsOwn)
{
    const struct
    {
        std::string input;
        QList<QByteArray> datagrams;
    } cases[] = {
        {"Filesystem Size\n/dev/sda1 20G\n", {Bytes("Filesystem Size\0"), Bytes("/dev/sda1 20G\0")}},
        {"crlf\r\nlast line without end", {Bytes("crlf\0"), Bytes("last line without end\0")}},
        {"<r>red\n\nplain<b\n>", {Bytes("\x03" "04red\0"), Bytes("\0"), Bytes("plain<b\0"), Bytes(">\0")}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const SendRun run = RunSend({"localhost", "-"}, c.input);
        EXPECT_EQ(run.nStatus, 0) << run.err;
        EXPECT_EQ(Received(), c.datagrams) << c.input;
    }
}

// A line of nLength bytes and its end, then "after\n", made as they are read and never held.
class CLongLine : public std::streambuf
{
public:
    explicit CLongLine(qsizetype nLength) : m_nLeft(nLength), m_chunk(64 * 1024, 'x') {}

protected:
    int_type underflow() override
    {
        if (m_nLeft > 0) {
            const qsizetype n = std::min(m_nLeft, m_chunk.size());
            m_nLeft -= n;
            setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + n);
        } else if (!m_bTailGiven) {
            m_bTailGiven = true;
            setg(m_tail, m_tail, m_tail + sizeof m_tail - 1);
        } else {
            return traits_type::eof();
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    qsizetype m_nLeft;
    QByteArray m_chunk;
    char m_tail[8] = "\nafter\n";
    bool m_bTailGiven = false;
};

// The most memory this process has held since the last call, in bytes.
qint64 PeakMemorySinceLastCall()
{
    QFile status(QStringLiteral("/proc/self/status"));
    qint64 nPeak = -1;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                nPeak = line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
        }
    }
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // starts the peak afresh
    return nPeak;
}

TEST_F(SendCommandTest, AnEndlessLineIsReadOnlyAsFarAsItIsSent)
{
    PeakMemorySinceLastCall();
    const qint64 nBefore = PeakMemorySinceLastCall();
    ASSERT_GT(nBefore, 0);
    constexpr qsizetype kLength = qsizetype(200) << 20;
    CLongLine line(kLength);
    std::istream in(&line);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand({"localhost", "-"}, in, out, err), 0) << err.str();
    // Holding the line would take all of it, and more while it grows.
    EXPECT_LT(PeakMemorySinceLastCall() - nBefore, kLength / 8);
    EXPECT_NE(err.str().find("warning"), std::string::npos) << err.str();
    EXPECT_EQ(Received(), (QList<QByteArray>{QByteArray(1999, 'x') + '\0', Bytes("after\0")}));
}

// What the program cannot read or write ends with status 1 and says so; nothing is sent for
// it, though the lines before it are.
TEST_F(SendCommandTest, InputAndOutputThatFailEndTheProgramWithStatusOne)
{
    const struct
    {
        const char* command; // for sh, with the program as $0
        const char* err;
        QList<QByteArray> datagrams;
    } cases[] = {
        {R"("$0" localhost - </)", "tellwick-send: cannot read standard input\n", {}},
        {R"("$0" localhost - <&-)", "tellwick-send: cannot read standard input\n", {}},
        {R"(printf 'one\nt\0wo\nthree\n' | "$0" localhost -)",
         "tellwick-send: line 2 holds a zero byte; it and the rest are not sent\n", {Bytes("one\0")}},
        {R"("$0" --help >/dev/full)", "tellwick-send: cannot write to standard output\n", {}},
        {R"("$0" --version >/dev/full)", "tellwick-send: cannot write to standard output\n", {}},
        {R"("$0" --help >&-)", "tellwick-send: cannot write to standard output\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        QProcess send;
        send.start(QStringLiteral("/bin/sh"),
                   {QStringLiteral("-c"), QString::fromLatin1(c.command), QStringLiteral(TELLWICK_SEND_PATH)});
        ASSERT_TRUE(send.waitForFinished(30000));
        EXPECT_EQ(send.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(send.exitCode(), 1);
        EXPECT_EQ(send.readAllStandardError().toStdString(), c.err);
        EXPECT_EQ(Received(), c.datagrams);
    }
}

// Sets the character type of the C library's locale while it lives.
class CCharacterLocale
{
public:
    explicit CCharacterLocale(const char* name) : m_saved(setlocale(LC_CTYPE, nullptr))
    {
        m_bSet = setlocale(LC_CTYPE, name) != nullptr;
    }
    ~CCharacterLocale() { setlocale(LC_CTYPE, m_saved.c_str()); }
    bool IsSet() const { return m_bSet; }

private:
    std::string m_saved;
    bool m_bSet = false;
};

TEST_F(SendCommandTest, ALongMessageIsCutToWhatTheReceiverShowsAndSent)
{
    const QByteArray e = "\xC3\xA9"; // é in UTF-8
    const struct
    {
        const char* locale;
        QByteArray message;
        QByteArray text; // as sent, before its zero byte
    } cases[] = {
        {"C", QByteArray(1999, 'x'), QByteArray(1999, 'x')},
        {"C", QByteArray(2500, 'x'), QByteArray(1999, 'x')},
        // Over what one datagram can carry at all.
        {"C", QByteArray(70000, 'x'), QByteArray(1999, 'x')},
        // Tags are translated first: the code counts, the tag does not.
        {"C", "<r>" + QByteArray(1997, 'x'), "\x03" "04" + QByteArray(1996, 'x')},
        // A character of two bytes across the limit is left out whole, in a UTF-8 locale only.
        {"C.UTF-8", QByteArray(1998, 'x') + e, QByteArray(1998, 'x')},
        {"C", QByteArray(1998, 'x') + e, QByteArray(1998, 'x') + e.left(1)},
        {"C.UTF-8", QByteArray(1997, 'x') + e + e, QByteArray(1997, 'x') + e},
    };
    for (const auto& c : cases) {
        const CCharacterLocale locale(c.locale);
        ASSERT_TRUE(locale.IsSet()) << c.locale;
        for (const std::string& input : {std::string(), c.message.toStdString() + "\n"}) {
            const SendRun run = input.empty() ? RunSend({"localhost", c.message}) : RunSend({"localhost", "-"}, input);
            EXPECT_EQ(run.nStatus, 0) << run.err;
            EXPECT_EQ(run.err.find("warning") != std::string::npos, c.message.size() > 1999) << run.err;
            EXPECT_EQ(Received(), QList<QByteArray>{c.text + '\0'}) << c.locale << " " << c.message.size();
        }
    }
}

} // namespace
