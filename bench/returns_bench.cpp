// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the exact analyses: the value of every hold of one hand, and the
// returns of the three game types.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/fast_eval.h"
#include "engine/returns.h"

namespace brisko {
namespace {

// advise: all 32 holds of one dealt hand.
void BM_AdviseOneHand(benchmark::State& st) {
    const int32_t type = static_cast<int32_t>(st.range(0));
    const Hand hand = type == 3 ? Hand{0, 1, 15, 30, 44, 9} : Hand{0, 1, 15, kJoker, 44, 9};
    const FastEvaluator fast;
    for (auto _ : st) benchmark::DoNotOptimize(holdValues(fast, hand, GameType{type}));
}
BENCHMARK(BM_AdviseOneHand)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// rtp: the three game types, both strategies, every table built inside.
void BM_ReturnsOfAllGameTypes(benchmark::State& st) {
    const auto threads = static_cast<int32_t>(st.range(0));
    for (auto _ : st) {
        const FastEvaluator fast;
        const ReturnCalculator calculator(fast, threads);
        for (int32_t type = 1; type <= 3; ++type) {
            benchmark::DoNotOptimize(calculator.gameReturns(GameType{type}));
        }
    }
}
BENCHMARK(BM_ReturnsOfAllGameTypes)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brisko
