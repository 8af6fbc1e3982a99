// Datagrams per second from WriteMailslot to the inbox read on loopback, against a raw UDP
// socket pair doing the least the kernel allows: one sendto and one recv.
#include "BenchMain.h"

#include "messaging/Mailslot.h"
#include "platform/mailslot/MailslotInbox.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray kText = "\x03" "04Alarm\x03" "00,04 disk full on desk-7";

void BM_RawUdpPair(benchmark::State& state)
{
    const int receiver = socket(AF_INET, SOCK_DGRAM, 0);
    const int sender = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t nLength = sizeof address;
    bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &nLength);
    char buffer[2000];
    for (auto _ : state) {
        sendto(sender, kText.constData(), size_t(kText.size() + 1), 0,
               reinterpret_cast<sockaddr*>(&address), sizeof address);
        benchmark::DoNotOptimize(recv(receiver, buffer, sizeof buffer, 0));
    }
    state.SetItemsProcessed(state.iterations());
    close(sender);
    close(receiver);
}
BENCHMARK(BM_RawUdpPair);

void BM_WriteMailslotToInbox(benchmark::State& state)
{
    qputenv("TELLWICK_MAILSLOT_PORT", "10139");
    CMailslotInbox inbox;
    if (!inbox.Create()) {
        state.SkipWithError("the inbox port is taken");
        return;
    }
    QByteArray datagram;
    int nCount = 0;
    for (auto _ : state) {
        WriteMailslot(kOwnMailslotPath, kText);
        inbox.GetInfo(nCount);
        inbox.Read(datagram);
        benchmark::DoNotOptimize(datagram.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteMailslotToInbox);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchmarksWithRatios(argc, argv, {{"BM_WriteMailslotToInbox", "BM_RawUdpPair"}});
}
