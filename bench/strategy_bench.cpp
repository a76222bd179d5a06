// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the strategy charts: making one on one core (with and without the
// tables of the exact analysis, which the window builds first), reading one
// kept in its file, and the chart's hold on a deal.
#include <benchmark/benchmark.h>

#include <sstream>

#include "engine/strategy.h"

namespace brisko {
namespace {

void BM_StrategyChart(benchmark::State& st) {
    const GameType type{static_cast<int32_t>(st.range(0))};
    const FastEvaluator fast;
    const ReturnCalculator calculator(fast, 1);
    for (auto _ : st) benchmark::DoNotOptimize(makeStrategyChart(calculator, type));
}
BENCHMARK(BM_StrategyChart)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Everything from nothing: the evaluation table, the analysis's tables, the chart.
void BM_StrategyChartWithTables(benchmark::State& st) {
    const GameType type{static_cast<int32_t>(st.range(0))};
    for (auto _ : st) {
        const FastEvaluator fast;
        const ReturnCalculator calculator(fast, 1);
        benchmark::DoNotOptimize(makeStrategyChart(calculator, type));
    }
}
BENCHMARK(BM_StrategyChartWithTables)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A chart kept in its file, read back.
void BM_StrategyChartRead(benchmark::State& st) {
    const FastEvaluator fast;
    const ReturnCalculator calculator(fast, 2);
    std::ostringstream file;
    writeStrategyChart(makeStrategyChart(calculator, GameType{2}), file);
    const std::string text = file.str();
    for (auto _ : st) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(readStrategyChart(in, GameType{2}));
    }
}
BENCHMARK(BM_StrategyChartRead)->Unit(benchmark::kMicrosecond);

// The chart's hold and line on one deal, as the trainer's panel asks.
void BM_StrategyChartChoose(benchmark::State& st) {
    const FastEvaluator fast;
    const ReturnCalculator calculator(fast, 2);
    const StrategyChart chart = makeStrategyChart(calculator, GameType{2});
    const Hand hand{0, 1, 15, kJoker, 44, 9};
    for (auto _ : st) benchmark::DoNotOptimize(chart.choose(hand));
}
BENCHMARK(BM_StrategyChartChoose)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brisko
