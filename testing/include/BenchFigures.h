// What the benchmarks measure with: a steady clock, durations in seconds, the median of runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time in seconds of the given number of runs of the work.
inline double MedianSecondsOf(int nRuns, const std::function<void()>& work)
{
    std::vector<double> runs;
    for (int run = 0; run < nRuns; ++run)
    {
        const Clock::time_point start = Clock::now();
        work();
        runs.push_back(Seconds(Clock::now() - start));
    }
    return Median(runs);
}

// The median time in seconds of each work, the works taking turns run after run so that a change
// in the machine's load falls on all of them alike. A first round warms them up, unmeasured.
inline std::vector<double> MedianSecondsOfEach(int nRuns, const std::vector<std::function<void()>>& works)
{
    for (const std::function<void()>& work : works)
        work();
    std::vector<std::vector<double>> runs(works.size());
    for (int run = 0; run < nRuns; ++run)
        for (size_t i = 0; i < works.size(); ++i)
        {
            const Clock::time_point start = Clock::now();
            works[i]();
            runs[i].push_back(Seconds(Clock::now() - start));
        }
    std::vector<double> medians;
    for (const std::vector<double>& workRuns : runs)
        medians.push_back(Median(workRuns));
    return medians;
}
