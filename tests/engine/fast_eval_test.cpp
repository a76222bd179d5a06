// The evaluation table against evaluateHand itself, over every hand, in the
// slot order the table was filled in and in another one.
#include <gtest/gtest.h>

#include "engine/fast_eval.h"

namespace brisko {
namespace {

TEST(FastEvaluator, EqualsEvaluateHandOnEveryHandInAnySlotOrder) {
    const FastEvaluator fast(2);
    int64_t hands = 0;
    int64_t mismatches = 0;
    auto check = [&](const Hand& h) {
        EngineState s;
        s.hand = h;
        const HandCategory category = evaluateHand(s);
        const FastEvaluation e = fast.evaluate(h);
        bool same = e.category == category;
        for (int32_t k = 1; k <= kSlots; ++k) same = same && e.marked(k) == s.markedCards[k];
        same = same && e.pairRank == (category == HandCategory::KingsOrBetter ? s.pairRank : -1);
        if (!same && ++mismatches <= 5) {
            ADD_FAILURE() << cardName(h[1]) << ' ' << cardName(h[2]) << ' ' << cardName(h[3]) << ' '
                          << cardName(h[4]) << ' ' << cardName(h[5]);
        }
    };
    for (int32_t a = 1; a <= 53; ++a)
        for (int32_t b = a + 1; b <= 53; ++b)
            for (int32_t c = b + 1; c <= 53; ++c)
                for (int32_t d = c + 1; d <= 53; ++d)
                    for (int32_t e = d + 1; e <= 53; ++e) {
                        check(Hand{0, a, b, c, d, e});
                        // A slot order that moves every card, the joker included.
                        check(Hand{0, d, e, b, a, c});
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
