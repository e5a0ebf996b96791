#pragma once
#include <windows.h>

#include <functional>

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

}  // namespace lw::testsupport
