// The window's longest stall while one received message starts the tasks of many alerts (20,000
// by default, each starting `true`), against the same message offered to as many alerts whose
// keyword it does not hold. A precise timer due every 5 ms, as the program's own stall watchdog
// runs it, notes how late it comes.
// Usage: bench_alert_start [ALERTS]
#include "ScratchEnvironment.h"
#include "extlib/orvosched/Task.h"
#include "messaging/Mailslot.h"
#include "messaging/MessageView.h"
#include "platform/mailslot/MailslotInbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <deque>

namespace {

class BenchReceiver : public CMessageReceiver
{
public:
    using CMessageReceiver::m_alerts;
    using CMessageReceiver::m_pInbox;
};

int s_nStarts = 0;

// Counts its starts. The programs that ended are collected at once, so that thousands of them
// never wait as zombies for the window to look.
class CountingTask : public CTask
{
public:
    std::unique_ptr<CTask> Clone() const override { return std::make_unique<CountingTask>(*this); }
    bool Run() override
    {
        static std::deque<const CTask*> s_running;
        const bool bStarted = CTask::Run();
        ++s_nStarts;
        if (bStarted)
            s_running.push_back(this);
        while (!s_running.empty() && !s_running.front()->IsRunning())
            s_running.pop_front();
        return bStarted;
    }
};

struct Figures
{
    qint64 nLongestStallMs = 0;
    qint64 nTotalMs = 0;
    int nStarts = 0;
};

Figures Receive(int nAlerts, const QByteArray& keyword)
{
    QFile::remove(QStringLiteral("Tellwick.log"));
    auto pReceiver = std::make_unique<BenchReceiver>();
    BenchReceiver& receiver = *pReceiver;
    CMessageView view(nullptr, std::move(pReceiver));
    view.Create();
    if (!receiver.m_pInbox->IsValid()) {
        std::fprintf(stderr, "the inbox port is taken\n");
        std::exit(1);
    }
    CountingTask task;
    task.SetProgram("true");
    for (int i = 0; i < nAlerts; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_keywords = {keyword};
        pAlert->SetTask(&task);
        receiver.m_alerts.push_back(pAlert);
    }
    const int nExpected = keyword == "disk" ? nAlerts : 0;
    s_nStarts = 0;

    Figures figures;
    QElapsedTimer sinceTick;
    QTimer watchdog;
    watchdog.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        figures.nLongestStallMs = std::max(figures.nLongestStallMs, sinceTick.restart() - 5);
    });
    QEventLoop loop;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (s_nStarts >= nExpected && QFile(QStringLiteral("Tellwick.log")).size() > 0)
            loop.quit();
    });
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    watchdog.start(5);
    done.start(10);
    WriteMailslot(kOwnMailslotPath, "disk full");
    loop.exec();
    figures.nTotalMs = total.elapsed();
    figures.nStarts = s_nStarts;
    receiver.m_alerts.clear();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const CScratchEnvironment scratch;
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const int nAlerts = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;

    const Figures baseline = Receive(nAlerts, "fan");
    const Figures measured = Receive(nAlerts, "disk");
    std::printf("%d alerts not matching: longest stall %lld ms, %lld ms to the logged line\n", nAlerts,
                qlonglong(baseline.nLongestStallMs), qlonglong(baseline.nTotalMs));
    std::printf("%d alerts matching: %d tasks started in %lld ms, longest stall %lld ms (%.1f x the "
                "baseline's)\n",
                nAlerts, measured.nStarts, qlonglong(measured.nTotalMs),
                qlonglong(measured.nLongestStallMs),
                double(measured.nLongestStallMs) / double(std::max<qint64>(1, baseline.nLongestStallMs)));
    return 0;
}
