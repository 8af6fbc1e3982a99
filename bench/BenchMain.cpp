#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// Keeps each run's items-per-second while the console reporter prints as usual.
class RateCollector : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto it = run.counters.find("items_per_second");
            if (it != run.counters.end() && run.aggregate_name.empty())
                m_rates[run.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double Rate(const std::string& name) const
    {
        const auto it = m_rates.find(name);
        return it == m_rates.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_rates;
};

} // namespace

int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<BenchPair>& pairs)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RateCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    std::printf("\n");
    for (const BenchPair& pair : pairs) {
        const double measured = collector.Rate(pair.measured);
        const double baseline = collector.Rate(pair.baseline);
        if (measured <= 0 || baseline <= 0)
            continue;
        std::printf("%s: %.0f/s; baseline %s: %.0f/s; ratio %.2f\n", pair.measured.c_str(), measured,
                    pair.baseline.c_str(), baseline, measured / baseline);
    }
    return 0;
}
