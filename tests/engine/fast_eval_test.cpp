// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation table against evaluateHand itself, over every hand, in
// ascending slot order and in one other order, the 120 orders in turn.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/fast_eval.h"

namespace brisko {
namespace {

TEST(FastEvaluator, EqualsEvaluateHandOnEveryHandInAnySlotOrder) {
    const FastEvaluator fast;
    int64_t hands = 0;
    int64_t mismatches = 0;
    auto check = [&](const Hand& h) {
        EngineState s;
        s.hand = h;
        const HandCategory category = evaluateHand(s);
        const FastEvaluation e = fast.evaluate(h);
        bool same = e.category() == category;
        for (int32_t k = 1; k <= kSlots; ++k) same = same && e.marked(k) == s.markedCards[k];
        same = same && e.pairRank() == (category == HandCategory::KingsOrBetter ? s.pairRank : -1);
        if (!same && ++mismatches <= 5) {
            ADD_FAILURE() << cardName(h[1]) << ' ' << cardName(h[2]) << ' ' << cardName(h[3]) << ' '
                          << cardName(h[4]) << ' ' << cardName(h[5]);
        }
    };
    std::array<int32_t, kSlots> order{0, 1, 2, 3, 4};
    for (int32_t a = 1; a <= 53; ++a)
        for (int32_t b = a + 1; b <= 53; ++b)
            for (int32_t c = b + 1; c <= 53; ++c)
                for (int32_t d = c + 1; d <= 53; ++d)
                    for (int32_t e = d + 1; e <= 53; ++e) {
                        const Hand h{0, a, b, c, d, e};
                        check(h);
                        check(Hand{0, h[order[0] + 1], h[order[1] + 1], h[order[2] + 1],
                                   h[order[3] + 1], h[order[4] + 1]});
                        std::next_permutation(order.begin(), order.end());
                        ++hands;
                    }
    EXPECT_EQ(hands, kEveryHand);
    EXPECT_EQ(mismatches, 0);
}

TEST(FastEvaluator, ColexPositions) {
    EXPECT_EQ(colexOfMask(0b11111), 0u);
    EXPECT_EQ(colexOfMask(0b101111), 1u);
    const uint64_t last = FastEvaluator::bitOf(49) | FastEvaluator::bitOf(50) |
                          FastEvaluator::bitOf(51) | FastEvaluator::bitOf(52) |
                          FastEvaluator::bitOf(kJoker);
    EXPECT_EQ(colexOfMask(last), static_cast<uint32_t>(kEveryHand - 1));
    EXPECT_EQ(
        colexOfMask(FastEvaluator::bitOf(1) | FastEvaluator::bitOf(2) | FastEvaluator::bitOf(3) |
                    FastEvaluator::bitOf(4) | FastEvaluator::bitOf(kJoker)),
        static_cast<uint32_t>(kHandsWithoutJoker));
    EXPECT_EQ(binomial(52, 5), kHandsWithoutJoker);
    EXPECT_EQ(binomial(53, 5), kEveryHand);
}

}  // namespace
}  // namespace brisko
