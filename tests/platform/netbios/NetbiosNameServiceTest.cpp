#include "platform/netbios/NetbiosNameLookup.h"
#include "platform/netbios/NetbiosNamePacket.h"
#include "platform/netbios/NetbiosNameResponder.h"

#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <future>

namespace {

// A lookup waits for its answer, and the responder answers from the event loop: the lookup
// runs on a thread of its own while this one turns the loop.
std::vector<quint32> Lookup(const QByteArray& name, quint16 port, int timeoutMs)
{
    auto answer = std::async(std::launch::async, [=] {
        return LookupNetbiosName(name, {INADDR_LOOPBACK}, port, timeoutMs);
    });
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return answer.get();
}

void SendTo(quint16 port, const QByteArray& bytes)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sendto(fd, bytes.constData(), size_t(bytes.size()), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
}

} // namespace

TEST(NetbiosNameServiceTest, ThisComputerIsFoundByItsNameInAnyCaseAndNoOtherName)
{
    CNetbiosNameResponder responder;
    ASSERT_TRUE(responder.Start("desk-7", 0)) << responder.ErrorText().toStdString();
    const quint16 port = responder.Port();
    // What is not a question for it does not stop it answering.
    SendTo(port, QByteArray(40, '\xC0'));
    SendTo(port, QByteArray());

    EXPECT_EQ(Lookup("DESK-7", port, 3000), std::vector<quint32>{INADDR_LOOPBACK});
    EXPECT_EQ(Lookup("Desk-7", port, 3000), std::vector<quint32>{INADDR_LOOPBACK});
    EXPECT_TRUE(Lookup("DESK-9", port, 300).empty());
}

TEST(NetbiosNameServiceTest, APortThatAnotherNameServiceHoldsIsLeftToIt)
{
    CNetbiosNameResponder first;
    ASSERT_TRUE(first.Start("DESK-7", 0));
    CNetbiosNameResponder second;
    EXPECT_FALSE(second.Start("DESK-7", first.Port()));
    EXPECT_FALSE(second.ErrorText().isEmpty());
    EXPECT_EQ(Lookup("DESK-7", first.Port(), 3000), std::vector<quint32>{INADDR_LOOPBACK});
}

TEST(NetbiosNameServiceTest, AFloodOfQueriesIsAnsweredAFewAtEachTurnOfTheEventLoop)
{
    CNetbiosNameResponder responder;
    ASSERT_TRUE(responder.Start("DESK-7", 0));
    const int asker = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(asker, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(responder.Port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // Loopback hands each query over at once: all of them wait in the responder's socket.
    constexpr int kQueries = 3 * CNetbiosNameResponder::kQueriesPerWake + 5;
    for (int i = 0; i < kQueries; ++i) {
        const std::optional<QByteArray> query = EncodeNameQuery({quint16(i), {"DESK-7", 0x00, {}}, true});
        ASSERT_TRUE(query);
        ASSERT_EQ(sendto(asker, query->constData(), size_t(query->size()), 0,
                         reinterpret_cast<const sockaddr*>(&address), sizeof address),
                  query->size());
    }

    // Each turn answers its share and leaves the rest for the next; none is lost.
    int nAnswered = 0;
    for (int nTurn = 0; nTurn < kQueries && nAnswered < kQueries; ++nTurn) {
        QCoreApplication::processEvents();
        int nThisTurn = 0;
        char buffer[1500];
        while (recv(asker, buffer, sizeof buffer, MSG_DONTWAIT) > 0)
            ++nThisTurn;
        EXPECT_LE(nThisTurn, CNetbiosNameResponder::kQueriesPerWake) << "turn " << nTurn;
        nAnswered += nThisTurn;
    }
    EXPECT_EQ(nAnswered, kQueries);
    close(asker);
}
