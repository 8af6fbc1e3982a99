// One tick of the scrolling credits, with the paint it causes, against one repaint of the whole
// panel: a tick should only draw the row it uncovers.
#include "BenchMain.h"

#include "about/CreditsDlg.h"
#include "resources/DlgItem.h"
#include "resources/resource.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The benchmark hands out the ticks itself.
class ManualTimer : public CCreditsTimer
{
public:
    void SetTimer(int, int, TickHandler) override {}
    void KillTimer() override {}
    bool IsActive() const override { return true; }
};

// The credits shown, with some lines already in view.
struct ShownCredits
{
    ShownCredits() : dlg(nullptr, std::make_unique<ManualTimer>())
    {
        dlg.show();
        for (int i = 0; i < 200; ++i)
            dlg.OnTimer();
        QApplication::processEvents();
    }
    CCreditsDlg dlg;
};

void BM_CreditsTick(benchmark::State& state)
{
    ShownCredits credits;
    for (auto _ : state) {
        credits.dlg.OnTimer();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CreditsTick);

void BM_CreditsFullRepaint(benchmark::State& state)
{
    ShownCredits credits;
    QWidget* pPanel = GetDlgItem(&credits.dlg, IDC_CREDITS_DISPLAY);
    for (auto _ : state) {
        pPanel->update();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CreditsFullRepaint);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunBenchmarksWithRatios(argc, argv, {{"BM_CreditsTick", "BM_CreditsFullRepaint"}});
}
