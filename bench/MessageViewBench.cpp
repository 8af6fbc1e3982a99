// Messages per second through the whole receive pipeline (stamped, logged, offered to 100
// active alerts of 10 keywords that none of them finds; once more without alerts), against
// reading the same datagrams from the inbox and adding their texts to a text view, nothing else,
// and against the same with each line logged too.
#include "BenchMain.h"
#include "ScratchEnvironment.h"

#include "messaging/Mailslot.h"
#include "messaging/MessageLog.h"
#include "messaging/MessageView.h"
#include "platform/mailslot/MailslotInbox.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBatch = 100;

class BenchReceiver : public CMessageReceiver
{
public:
    using CMessageReceiver::m_alerts;
    using CMessageReceiver::m_pInbox;
    using CMessageReceiver::m_sliceTimer;
};

// Distinct texts, so the repeat filter never drops one.
class Traffic
{
public:
    void Send(int nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            QByteArray text("\x03" "04desk-7\x03" " backup of volume ");
            text.append(QByteArray::number(++m_nSent)).append(" finished without errors");
            WriteMailslot(kOwnMailslotPath, text);
        }
    }

private:
    qint64 m_nSent = 0;
};

// Keywords of capitals: the texts hold none, so every alert looks at all ten.
CAlertList UnmatchedAlerts(int nAlerts)
{
    CAlertList alerts;
    quint64 nState = 42;
    for (int i = 0; i < nAlerts; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        while (pAlert->m_keywords.size() < 10) {
            QByteArray keyword;
            for (int n = 0; n < 4 + i % 6; ++n) {
                nState = nState * 6364136223846793005ULL + 1442695040888963407ULL;
                keyword.append(char('A' + (nState >> 33) % 26));
            }
            pAlert->m_keywords.append(keyword);
        }
        alerts.push_back(pAlert);
    }
    return alerts;
}

void BM_ReceivePipeline(benchmark::State& state)
{
    auto pReceiver = std::make_unique<BenchReceiver>();
    BenchReceiver& receiver = *pReceiver;
    CMessageView view(nullptr, std::move(pReceiver));
    view.Create();
    if (!receiver.m_pInbox->IsValid()) {
        state.SkipWithError("the inbox port is taken");
        return;
    }
    receiver.m_alerts = UnmatchedAlerts(int(state.range(0)));
    Traffic traffic;
    for (auto _ : state) {
        state.PauseTiming();
        traffic.Send(kBatch);
        state.ResumeTiming();
        view.OnTimer();
        // Should the batch take more than a slice, the rest follows once the loop runs.
        while (receiver.m_sliceTimer.isActive())
            QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
    receiver.m_alerts.clear();
}
// The argument is the number of alerts: 100 as asked, 0 to tell their share.
BENCHMARK(BM_ReceivePipeline)->Arg(100)->Arg(0);

// The argument says whether each line is also logged, as the pipeline logs it.
void BM_ReadAndAddLine(benchmark::State& state)
{
    CMailslotInbox inbox;
    if (!inbox.Create()) {
        state.SkipWithError("the inbox port is taken");
        return;
    }
    CTextView view;
    view.SetMaxLines(150); // the message view's default limit
    Traffic traffic;
    QByteArray datagram;
    for (auto _ : state) {
        state.PauseTiming();
        traffic.Send(kBatch);
        state.ResumeTiming();
        int nCount = 0;
        inbox.GetInfo(nCount);
        while (nCount-- > 0 && inbox.Read(datagram)) {
            const QByteArray text = DatagramText(datagram);
            if (state.range(0))
                AppendLog("Tellwick.log", text);
            view.AddLine(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_ReadAndAddLine)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv)
{
    const CScratchEnvironment scratch;
    QApplication app(argc, argv);
    // The offscreen platform warns at every raise; those lines are not the program's work.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return RunBenchmarksWithRatios(argc, argv, {{"BM_ReceivePipeline/100", "BM_ReadAndAddLine/0"},
                                                {"BM_ReceivePipeline/0", "BM_ReadAndAddLine/0"},
                                                {"BM_ReceivePipeline/100", "BM_ReadAndAddLine/1"}});
}
