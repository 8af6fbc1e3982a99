// The relay through Samba's nmbd against fake nmbds that misbehave: nothing the fake does holds
// up the caller of Start or Stop, and what goes wrong is told once, as what it is.
#include "platform/netbios/linux/NmbdRelay.h"

#include "support/ScopedEnvironment.h"
#include "support/WarningCapture.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// What the fake does with each connection, after the first one.
enum class Reply
{
    Nothing, // takes the question and never answers
    Yes,     // answers 0, then closes the connection
    Odd,     // answers 7
};

// nmbd's socket, served from the test's event loop.
class CFakeNmbd
{
public:
    CFakeNmbd(Reply first, Reply later) : m_first(first), m_later(later)
    {
        m_server.listen(m_dir.filePath(QStringLiteral("unexpected")));
        QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
            while (QLocalSocket* pSocket = m_server.nextPendingConnection()) {
                const Reply reply = m_nConnections++ == 0 ? m_first : m_later;
                if (reply == Reply::Nothing)
                    continue; // held, as the server's child, and never answered
                pSocket->write(reply == Reply::Yes ? QByteArray(1, '\0') : QByteArray(1, '\7'));
                pSocket->flush();
                if (reply == Reply::Yes)
                    pSocket->disconnectFromServer();
            }
        });
    }

    QString Path() const { return m_server.fullServerName(); }
    int Connections() const { return m_nConnections; }
    // Ends every connection, which wakes a relay that waits for an answer however it waits.
    void DropAll()
    {
        for (QLocalSocket* pSocket : m_server.findChildren<QLocalSocket*>())
            pSocket->abort();
    }

private:
    QTemporaryDir m_dir;
    QLocalServer m_server;
    Reply m_first;
    Reply m_later;
    int m_nConnections = 0;
};

// Runs an action on a thread of its own while the fake serves; true if it ended without the
// fake having to let go of its connections.
bool EndsWhileTheFakeHolds(CFakeNmbd& nmbd, const std::function<void()>& action)
{
    std::future<void> done = std::async(std::launch::async, action);
    const auto ended = [&] { return done.wait_for(0s) == std::future_status::ready; };
    if (QTest::qWaitFor(ended))
        return true;
    nmbd.DropAll();
    EXPECT_TRUE(QTest::qWaitFor(ended, 30000)) << "still waiting after its connections were dropped";
    return false;
}

TEST(NmbdRelayTest, ASilentOrBrokenNmbdHoldsNothingUpAndIsToldOnce)
{
    constexpr CNmbdRelay::Times kLongAnswer{1h, 1ms};
    constexpr CNmbdRelay::Times kShortAnswer{1ms, 1ms};
    const struct
    {
        const char* name;
        Reply first;
        Reply later;
        CNmbdRelay::Times times;
        int nConnections; // the fake has seen before the relay is stopped
        const char* told; // the one warning, after the socket's path; nullptr: none
    } cases[] = {
        {"silent", Reply::Nothing, Reply::Nothing, kLongAnswer, 1, nullptr},
        {"silent past the time-out", Reply::Nothing, Reply::Nothing, kShortAnswer, 4,
         " - no answer within 1 ms - no message arrives until it answers"},
        {"answers once, then silent", Reply::Yes, Reply::Nothing, kLongAnswer, 2,
         " - no message arrives until it is back"},
        {"answers and closes every time", Reply::Yes, Reply::Yes, kLongAnswer, 6,
         " - no message arrives until it is back"},
        {"answers 7", Reply::Odd, Reply::Odd, kLongAnswer, 4,
         " - it answered 7, not 0 (yes) - no message arrives until it answers"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeNmbd nmbd(c.first, c.later);
        const CScopedEnvironment socket("TELLWICK_NMBD_SOCKET", nmbd.Path().toLocal8Bit());
        CWarningCapture warnings("tellwick.mailslot");
        CNmbdRelay relay(c.times);
        int fd = -1;
        QString strError;
        EXPECT_TRUE(EndsWhileTheFakeHolds(nmbd, [&] { fd = relay.Start(strError); }));
        EXPECT_GE(fd, 0) << strError.toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return nmbd.Connections() >= c.nConnections; }, 30000))
            << nmbd.Connections() << " connections";
        EXPECT_TRUE(EndsWhileTheFakeHolds(nmbd, [&] { relay.Stop(); }));
        if (fd >= 0)
            close(fd);
        const QStringList lines = warnings.Take();
        QStringList expected;
        if (c.told) {
            const QString strWhat = QLatin1String(c.first == Reply::Yes ? "lost" : "cannot receive through");
            expected.append(QStringLiteral("tellwick.mailslot: %1 Samba's nmbd at %2%3")
                                .arg(strWhat, nmbd.Path(), QLatin1String(c.told)));
        }
        EXPECT_EQ(lines, expected);
    }
}

} // namespace
