// Speed of the card rules. The checksums keep the work from being optimised
// away and must not change unless the rules do.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/hand.h"

namespace brisko {
namespace {

// Every hand of the game: 2,598,960 without the joker, 270,725 with it.
const std::vector<Hand>& everyHand() {
    static const std::vector<Hand> hands = [] {
        std::vector<Hand> all;
        all.reserve(2'869'685);
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
BENCHMARK(BM_EvaluateEveryHand)->Unit(benchmark::kMillisecond);

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
