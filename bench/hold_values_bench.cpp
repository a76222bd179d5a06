// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the trainer's analysis: the exact values of all 32 holds of a
// deal, over deals the game itself makes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "engine/hold_values.h"

namespace brisko {
namespace {

// 1,000 deals of the game type, at clock readings 86,399 ms apart.
std::vector<Hand> dealsOf(GameType gameType) {
    std::vector<Hand> deals;
    FixedClock clock;
    for (int32_t i = 0; i < 1000; ++i) {
        clock.set(i * 86'399);
        EngineState s;
        dealHand(s, gameType, clock);
        deals.push_back(s.hand);
    }
    return deals;
}

// Processor time of this thread in milliseconds: on a loaded machine the
// deals' own cost, without the time other programs take.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One deal an iteration, the deals in turn. The counters give the median and
// the slowest deal in milliseconds of processor time, each deal timed on its
// own.
void BM_HoldValuesOfADeal(benchmark::State& st) {
    const auto gameType = static_cast<GameType>(st.range(0));
    const std::vector<Hand> deals = dealsOf(gameType);
    const FastEvaluator evaluator;
    std::vector<double> times;
    size_t next = 0;
    for (auto _ : st) {
        const double start = threadMilliseconds();
        benchmark::DoNotOptimize(holdValues(evaluator, deals[next], gameType));
        times.push_back(threadMilliseconds() - start);
        next = (next + 1) % deals.size();
    }
    std::sort(times.begin(), times.end());
    st.counters["median_ms"] = times[times.size() / 2];
    st.counters["slowest_ms"] = times.back();
}
BENCHMARK(BM_HoldValuesOfADeal)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1000);

}  // namespace
}  // namespace brisko
