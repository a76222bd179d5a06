// Speed of the exact analyses: the evaluation table over every hand, the
// value of every hold of one hand, and the returns of the three game types.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/fast_eval.h"
#include "tools/returns.h"

namespace brisko {
namespace {

const std::vector<Hand>& everyHandOfTheGame() {
    static const std::vector<Hand> hands = [] {
        std::vector<Hand> all;
        all.reserve(kEveryHand);
        for (int32_t a = 1; a <= 53; ++a)
            for (int32_t b = a + 1; b <= 53; ++b)
                for (int32_t c = b + 1; c <= 53; ++c)
                    for (int32_t d = c + 1; d <= 53; ++d)
                        for (int32_t e = d + 1; e <= 53; ++e) all.push_back(Hand{0, a, b, c, d, e});
        return all;
    }();
    return hands;
}

const FastEvaluator& evaluator() {
    static const FastEvaluator fast(2);
    return fast;
}

// Out of line, as a caller in another file would reach it.
[[gnu::noinline]] FastEvaluation evaluateCall(const FastEvaluator& fast, const Hand& hand) {
    return fast.evaluate(hand);
}

void BM_FastEvaluateEveryHand(benchmark::State& st) {
    const auto& hands = everyHandOfTheGame();
    const FastEvaluator& fast = evaluator();
    for (auto _ : st) {
        int64_t checksum = 0;
        for (const Hand& h : hands) {
            const FastEvaluation e = evaluateCall(fast, h);
            checksum += static_cast<int32_t>(e.category) * 32 + e.marks;
        }
        benchmark::DoNotOptimize(checksum);
        st.counters["checksum"] = static_cast<double>(checksum);
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(hands.size()));
}
BENCHMARK(BM_FastEvaluateEveryHand)->Unit(benchmark::kMillisecond);

void BM_FastEvaluatorBuild(benchmark::State& st) {
    for (auto _ : st) {
        const FastEvaluator fast(static_cast<int32_t>(st.range(0)));
        benchmark::DoNotOptimize(fast.categoryAt(0));
    }
}
BENCHMARK(BM_FastEvaluatorBuild)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// advise: all 32 holds of one dealt hand, no tables needed.
void BM_AdviseOneHand(benchmark::State& st) {
    const int32_t type = static_cast<int32_t>(st.range(0));
    const Hand hand = type == 3 ? Hand{0, 1, 15, 30, 44, 9} : Hand{0, 1, 15, kJoker, 44, 9};
    for (auto _ : st) benchmark::DoNotOptimize(holdValues(hand, type));
}
BENCHMARK(BM_AdviseOneHand)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// rtp: the three game types, both strategies, every table built inside.
void BM_ReturnsOfAllGameTypes(benchmark::State& st) {
    const auto threads = static_cast<int32_t>(st.range(0));
    for (auto _ : st) {
        const FastEvaluator fast(threads);
        const ReturnCalculator calculator(fast, threads);
        for (int32_t type = 1; type <= 3; ++type) {
            benchmark::DoNotOptimize(calculator.gameReturns(type));
        }
    }
}
BENCHMARK(BM_ReturnsOfAllGameTypes)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brisko
