#pragma once

#include <string>
#include <vector>

// A benchmark and the baseline it is judged against; both must report items per second.
struct BenchPair
{
    std::string measured;
    std::string baseline;
};

// Runs every registered benchmark, then prints the rate of each measured one as a share of its
// baseline's rate. Returns the process exit status.
int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<BenchPair>& pairs);
