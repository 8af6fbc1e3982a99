// Matching one received text against 100 alerts of 10 keywords that none of them finds, one alert
// after the other and in one pass of the alert matcher, against a plain memmem loop over the
// same keywords; and the alert file of 10,000 alerts saved and
// loaded, against writing and reading its bytes whole.
#include "BenchMain.h"

#include "alerts/AlertFile.h"
#include "alerts/AlertMatcher.h"
#include "extlib/orvosched/Task.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// A fixed pseudo-random sequence, so every run measures the same text.
class Words
{
public:
    QByteArray Next(int nLength)
    {
        QByteArray word;
        for (int i = 0; i < nLength; ++i) {
            m_nState = m_nState * 6364136223846793005ULL + 1442695040888963407ULL;
            word.append(char('a' + (m_nState >> 33) % 26));
        }
        return word;
    }

private:
    quint64 m_nState = 42;
};

QByteArray Text()
{
    Words words;
    QByteArray text;
    while (text.size() < 1999)
        text.append(words.Next(2 + text.size() % 7)).append(' ');
    return text.left(1999);
}

CAlertList UnmatchedAlerts(const QByteArray& text)
{
    Words words;
    CAlertList alerts;
    for (int i = 0; i < 100; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        while (pAlert->m_keywords.size() < 10) {
            const QByteArray keyword = words.Next(4 + i % 6);
            if (!text.contains(keyword))
                pAlert->m_keywords.append(keyword);
        }
        alerts.push_back(pAlert);
    }
    return alerts;
}

void BM_MatchAlerts(benchmark::State& state)
{
    const QByteArray text = Text();
    const CAlertList alerts = UnmatchedAlerts(text);
    for (auto _ : state) {
        for (const std::shared_ptr<CAlert>& pAlert : alerts)
            benchmark::DoNotOptimize(pAlert->Match(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MatchAlerts);

void BM_AlertMatcher(benchmark::State& state)
{
    const QByteArray text = Text();
    const CAlertList alerts = UnmatchedAlerts(text);
    CAlertMatcher matcher;
    CAlertList candidates;
    for (auto _ : state) {
        matcher.FindCandidates(alerts, text, candidates);
        benchmark::DoNotOptimize(candidates.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AlertMatcher);

void BM_MemmemKeywords(benchmark::State& state)
{
    const QByteArray text = Text();
    const CAlertList alerts = UnmatchedAlerts(text);
    for (auto _ : state) {
        for (const std::shared_ptr<CAlert>& pAlert : alerts) {
            for (const QByteArray& keyword : pAlert->m_keywords) {
                const void* pFound = memmem(text.constData(), size_t(text.size()), keyword.constData(),
                                            size_t(keyword.size()));
                benchmark::DoNotOptimize(pFound);
                if (pFound)
                    break;
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemmemKeywords);

constexpr int kFileAlerts = 10000;

CAlertList ManyAlerts()
{
    Words words;
    CAlertList alerts;
    CTask task;
    task.SetProgram("/usr/bin/notify-send");
    task.SetArguments("-u critical \"Disk full\"");
    for (int i = 0; i < kFileAlerts; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_strDescription = "Alert " + words.Next(12);
        pAlert->m_keywords = {words.Next(6), words.Next(8), " " + words.Next(5)};
        pAlert->m_bActive = i % 3 != 0;
        if (i % 2 == 0)
            pAlert->SetTask(&task);
        alerts.push_back(pAlert);
    }
    return alerts;
}

// Every file benchmark works in a folder of its own.
class ScratchFolder
{
public:
    ScratchFolder() : m_saved(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScratchFolder() { QDir::setCurrent(m_saved); }

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

QByteArray AlertFileBytes()
{
    QFile file(QString::fromLatin1(kAlertFileName));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void BM_SaveAlerts(benchmark::State& state)
{
    const ScratchFolder folder;
    const CAlertList alerts = ManyAlerts();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAlerts(alerts));
    state.SetItemsProcessed(state.iterations() * kFileAlerts);
    state.counters["file_bytes"] = double(AlertFileBytes().size());
}
BENCHMARK(BM_SaveAlerts)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteFileBytes(benchmark::State& state)
{
    const ScratchFolder folder;
    SaveAlerts(ManyAlerts());
    const QByteArray bytes = AlertFileBytes();
    for (auto _ : state) {
        QSaveFile file(QString::fromLatin1(kAlertFileName));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        benchmark::DoNotOptimize(file.commit());
    }
    state.SetItemsProcessed(state.iterations() * kFileAlerts);
}
BENCHMARK(BM_WriteFileBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadAlerts(benchmark::State& state)
{
    const ScratchFolder folder;
    SaveAlerts(ManyAlerts());
    for (auto _ : state) {
        CAlertList alerts;
        LoadAlerts(alerts);
        benchmark::DoNotOptimize(alerts.data());
    }
    state.SetItemsProcessed(state.iterations() * kFileAlerts);
}
BENCHMARK(BM_LoadAlerts)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadFileBytes(benchmark::State& state)
{
    const ScratchFolder folder;
    SaveAlerts(ManyAlerts());
    for (auto _ : state)
        benchmark::DoNotOptimize(AlertFileBytes());
    state.SetItemsProcessed(state.iterations() * kFileAlerts);
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchmarksWithRatios(argc, argv,
                                   {{"BM_MatchAlerts", "BM_MemmemKeywords"},
                                    {"BM_AlertMatcher", "BM_MemmemKeywords"},
                                    {"BM_SaveAlerts", "BM_WriteFileBytes"},
                                    {"BM_LoadAlerts", "BM_ReadFileBytes"}});
}
