#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "testsupport/win32/GdiHighWater.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::testsupport {

// Seconds one run of `work` takes, averaged over `runs`; the first run is left out of the
// timing, since it pays for fonts and first allocations.
inline double SecondsPerRun(int runs, const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    work();
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart) / runs;
}

// A work of a comparison and how many runs one timing of it averages.
struct TimedWork {
    int Runs;
    std::function<void()> Work;
};

// Seconds one run of each work takes, the median of `rounds` timings. Each round times every
// work once, one after the other, so a change in the machine's load falls on all of them alike
// instead of on whichever happened to run then.
inline std::vector<double> MedianSecondsPerRun(int rounds, const std::vector<TimedWork>& works) {
    std::vector<std::vector<double>> timings(works.size());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < works.size(); ++i)
            timings[i].push_back(SecondsPerRun(works[i].Runs, works[i].Work));
    std::vector<double> medians;
    for (std::vector<double>& t : timings) {
        std::sort(t.begin(), t.end());
        const std::size_t n = t.size();
        medians.push_back(n % 2 == 1 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2);
    }
    return medians;
}

// The GDI handle table's high water before and after every work ran `runs` more times: the two
// are equal when no run leaves an object alive. What a run hands to the message loop to free
// (a finished fade's timer) is freed before each reading.
inline std::pair<int, int> GdiHighWaterAround(const std::vector<TimedWork>& works, int runs) {
    PumpUntilIdle();
    const int before = GdiHighWater();
    for (const TimedWork& w : works)
        for (int i = 0; i < runs; ++i) w.Work();
    PumpUntilIdle();
    return {before, GdiHighWater()};
}

}  // namespace lw::testsupport
