// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the card rules. The checksums keep the work from being optimised
// away and must not change unless the rules do.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "engine/fast_eval.h"
#include "engine/hand.h"

namespace brisko {
namespace {

// With --benchmark_repetitions, the slowest and the fastest run beside the
// mean and the median (for times and rates alike).
void withMinAndMax(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->ComputeStatistics(
            "min",
            [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) {
            return *std::max_element(v.begin(), v.end());
        });
}

// Every hand of the game: 2,598,960 without the joker, 270,725 with it.
const std::vector<Hand>& everyHand() {
    static const std::vector<Hand> hands = [] {
        std::vector<Hand> all;
        all.reserve(kEveryHand);
        for (int32_t a = 1; a <= 52; ++a)
            for (int32_t b = a + 1; b <= 52; ++b)
                for (int32_t c = b + 1; c <= 52; ++c)
                    for (int32_t d = c + 1; d <= 52; ++d) {
                        for (int32_t e = d + 1; e <= 52; ++e) all.push_back(Hand{0, a, b, c, d, e});
                        all.push_back(Hand{0, a, b, c, d, kJoker});
                    }
        return all;
    }();
    return hands;
}

void BM_EvaluateEveryHand(benchmark::State& st) {
    const auto& hands = everyHand();
    EngineState s;
    for (auto _ : st) {
        int64_t checksum = 0;
        for (const Hand& h : hands) {
            s.hand = h;
            checksum += static_cast<int32_t>(evaluateHand(s)) * 32 + s.markedCards[1] +
                        2 * s.markedCards[5];
        }
        benchmark::DoNotOptimize(checksum);
        st.counters["checksum"] = static_cast<double>(checksum);
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(hands.size()));
}
BENCHMARK(BM_EvaluateEveryHand)->Apply(withMinAndMax);

const FastEvaluator& evaluator() {
    static const FastEvaluator fast;
    return fast;
}

// One out-of-line call per hand, here and in the floor below, so that the
// compiler cannot blend the work of neighbouring hands.
[[gnu::noinline]] FastEvaluation evaluateCall(const FastEvaluator& fast, const Hand& hand) {
    return fast.evaluate(hand);
}

void BM_FastEvaluateEveryHand(benchmark::State& st) {
    const auto& hands = everyHand();
    const FastEvaluator& fast = evaluator();
    for (auto _ : st) {
        // Each of the three results summed apart: the least work that still
        // takes every one of them out of every evaluation.
        int64_t categories = 0;
        int64_t marks = 0;
        int64_t pairRanks = 0;
        for (const Hand& h : hands) {
            const FastEvaluation e = evaluateCall(fast, h);
            categories += static_cast<int32_t>(e.category());
            marks += e.marks();
            pairRanks += e.pairRank();
        }
        const int64_t checksum = categories * 32 + marks + 1024 * pairRanks;
        benchmark::DoNotOptimize(checksum);
        st.counters["checksum"] = static_cast<double>(checksum);
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(hands.size()));
}
BENCHMARK(BM_FastEvaluateEveryHand)->Apply(withMinAndMax);

// The floor under FastEvaluator: the same loop over the same hands, each
// hand's place found as the evaluator finds it (FastEvaluator::placeOf: the
// five card keys of the slots summed, the suit flag added), then one byte
// read at that place from a table of one precomputed byte per place (the
// evaluator's 1,075,648 places, 1 MB where the evaluator's entries take 2),
// through the same out-of-line call. No marks, no pair rank: evaluator time
// over floor time is what the evaluator costs beyond finding its place.
[[gnu::noinline]] uint8_t floorCall(const std::vector<uint8_t>& bytes, const Hand& hand) {
    return bytes[FastEvaluator::placeOf(hand)];
}

void BM_FastEvaluateFloorEveryHand(benchmark::State& st) {
    const auto& hands = everyHand();
    std::vector<uint8_t> bytes(evaluator().size());
    for (const Hand& h : hands) {
        bytes[FastEvaluator::placeOf(h)] = static_cast<uint8_t>(evaluator().evaluate(h).category());
    }
    for (auto _ : st) {
        int64_t checksum = 0;
        for (const Hand& h : hands) checksum += floorCall(bytes, h);
        benchmark::DoNotOptimize(checksum);
        st.counters["checksum"] = static_cast<double>(checksum);
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(hands.size()));
}
BENCHMARK(BM_FastEvaluateFloorEveryHand)->Apply(withMinAndMax);

// One hand as the table plays it: deal, suggestion, draw of the rest.
void BM_DealAndDraw(benchmark::State& st) {
    const int32_t gameType = static_cast<int32_t>(st.range(0));
    EngineState s;
    FixedClock clock;
    int32_t ms = 0;
    int64_t checksum = 0;
    for (auto _ : st) {
        clock.set(ms);
        ms = (ms + 7919) % kMillisecondsPerDay;
        s.held = {};
        dealHand(s, GameType{gameType}, clock);
        suggestMarks(s);
        s.held = s.markedCards;
        drawCards(s, GameType{gameType}, clock);
        checksum += s.hand[1] + s.hand[5];
    }
    benchmark::DoNotOptimize(checksum);
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_DealAndDraw)->Arg(1)->Arg(2)->Arg(3);

}  // namespace
}  // namespace brisko
