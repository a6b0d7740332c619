#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace tessaly::bench {

// Seconds that one run takes.
inline double secondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of several runs, in seconds: the one least disturbed by the rest
// of the machine.
inline double bestOf(const std::function<void()>& run, int repeats = 3)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) best = std::min(best, secondsOf(run));
    return best;
}

}  // namespace tessaly::bench
