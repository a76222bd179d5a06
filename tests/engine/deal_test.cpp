// SPDX-License-Identifier: GPL-3.0-or-later
// The random source and the deals it makes are pinned: a clock reading must
// always deal the same cards, call for call.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/hand.h"

namespace brisko {
namespace {

Hand handOf(std::initializer_list<int32_t> cards) {
    Hand h{};
    int32_t k = 1;
    for (int32_t c : cards) h[k++] = c;
    return h;
}

SlotFlags heldOf(const char* digits) {
    SlotFlags f{};
    for (int32_t k = 1; k <= kSlots; ++k) f[k] = digits[k - 1] == '1';
    return f;
}

int32_t jokers(const Hand& h) {
    return static_cast<int32_t>(std::count(h.begin() + 1, h.end(), kJoker));
}

bool distinct(const Hand& h) {
    return std::set<int32_t>(h.begin() + 1, h.end()).size() == 5;
}

TEST(RandomSource, FirstCallsFromZeroSeed) {
    RandomSource r;
    const uint32_t seeds[] = {1u, 134775814u, 3698175007u, 870078620u, 1172187917u};
    const int32_t values[] = {1, 2, 45, 11, 15};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.randomFrom(52), values[i]);
        EXPECT_EQ(r.randSeed, seeds[i]);
    }
}

TEST(RandomSource, StaysInRangeForEverySize) {
    RandomSource r;
    r.randSeed = 0xFFFFFFFFu;
    for (int32_t n : {1, 2, 5, 52, 1060, 0x7FFFFFFF}) {
        for (int i = 0; i < 2000; ++i) {
            const int32_t v = r.randomFrom(n);
            ASSERT_GE(v, 1);
            ASSERT_LE(v, n);
        }
    }
}

TEST(RandomSource, ReseedTakesTheClockReading) {
    RandomSource r;
    r.reseedFromClock(FixedClock(86'399'999));  // 23:59:59.999 UTC
    EXPECT_EQ(r.randSeed, 86'399'999u);
    const int32_t now = SystemClock().millisecondsSinceMidnightUtc();
    EXPECT_GE(now, 0);
    EXPECT_LT(now, kMillisecondsPerDay);
}

struct DealCase {
    int32_t gameType;
    int32_t ms;
    Hand expected;
};

TEST(Deal, GoldenHandsAtFixedClockReadings) {
    const DealCase cases[] = {
        {1, 0, handOf({1, 2, 45, 53, 15})},          {1, 1, handOf({2, 53, 11, 15, 35})},
        {1, 12345678, handOf({33, 53, 6, 48, 20})},  {1, 86399999, handOf({53, 52, 18, 13, 8})},
        {2, 0, handOf({1, 2, 45, 11, 15})},          {2, 2, handOf({4, 36, 53, 18, 51})},
        {2, 13, handOf({22, 53, 16, 7, 24})},        {2, 12345678, handOf({33, 28, 6, 48, 20})},
        {2, 86399999, handOf({38, 52, 18, 13, 53})}, {3, 1, handOf({2, 45, 11, 15, 35})},
        {3, 86399999, handOf({38, 52, 18, 13, 8})},
    };
    for (const DealCase& c : cases) {
        EngineState s;
        dealHand(s, GameType{c.gameType}, FixedClock(c.ms));
        EXPECT_EQ(s.hand, c.expected) << "type " << c.gameType << " at " << c.ms;
    }
}

struct DrawCase {
    int32_t gameType;
    Hand before;
    const char* held;
    int32_t ms;
    Hand expected;
};

TEST(Draw, GoldenHandsAtFixedClockReadings) {
    const DrawCase cases[] = {
        {1, handOf({6, 26, 53, 31, 37}), "10100", 777, handOf({6, 20, 53, 36, 13})},
        {1, handOf({6, 26, 53, 31, 37}), "00000", 777, handOf({20, 36, 13, 45, 5})},
        {2, handOf({6, 26, 34, 31, 37}), "10100", 777, handOf({6, 20, 34, 36, 13})},
        {3, handOf({6, 26, 34, 31, 37}), "00000", 777, handOf({20, 36, 13, 45, 5})},
        // The joker comes at the draw in the slot after the drawn one.
        {2, handOf({1, 2, 3, 4, 5}), "10001", 12, handOf({1, 53, 52, 50, 5})},
        {2, handOf({1, 2, 3, 4, 5}), "10001", 26, handOf({1, 53, 32, 39, 5})},
    };
    for (const DrawCase& c : cases) {
        EngineState s;
        s.hand = c.before;
        s.held = heldOf(c.held);
        drawCards(s, GameType{c.gameType}, FixedClock(c.ms));
        EXPECT_EQ(s.hand, c.expected) << "type " << c.gameType << " at " << c.ms;
    }
}

TEST(Deal, SameMillisecondSameCards) {
    for (int32_t type = 1; type <= 3; ++type) {
        EngineState a;
        EngineState b;
        b.random.randSeed = 99;  // whatever came before, the deal reseeds
        dealHand(a, GameType{type}, FixedClock(5'000'000));
        dealHand(b, GameType{type}, FixedClock(5'000'000));
        EXPECT_EQ(a.hand, b.hand);
    }
}

// Many clock readings across the day, for every game type.
constexpr int32_t kReadings = 20'000;
int32_t reading(int32_t i) {
    return static_cast<int32_t>((int64_t{i} * 4'319'989) % kMillisecondsPerDay);
}

TEST(Deal, InvariantsOfEachGameType) {
    std::array<int32_t, 6> jokerSlots{};
    int32_t type2Jokers = 0;
    for (int32_t i = 0; i < kReadings; ++i) {
        for (int32_t type = 1; type <= 3; ++type) {
            EngineState s;
            dealHand(s, GameType{type}, FixedClock(reading(i)));
            ASSERT_TRUE(distinct(s.hand));
            for (int32_t k = 1; k <= kSlots; ++k) {
                ASSERT_GE(s.hand[k], 1);
                ASSERT_LE(s.hand[k], kJoker);
            }
            if (type == 1) {
                ASSERT_EQ(jokers(s.hand), 1);
                ++jokerSlots[static_cast<size_t>(
                    std::find(s.hand.begin() + 1, s.hand.end(), kJoker) - s.hand.begin())];
            }
            if (type == 2) type2Jokers += jokers(s.hand);
            if (type == 3) {
                ASSERT_EQ(jokers(s.hand), 0);
            }
        }
    }
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_GT(jokerSlots[k], kReadings / 10) << "slot " << k;
    EXPECT_GT(type2Jokers, 0);
    EXPECT_LT(type2Jokers, kReadings / 5);
}

TEST(Draw, InvariantsOfEachGameType) {
    for (int32_t i = 0; i < kReadings; ++i) {
        for (int32_t type = 1; type <= 3; ++type) {
            EngineState s;
            dealHand(s, GameType{type}, FixedClock(reading(i)));
            const Hand before = s.hand;
            const uint32_t pattern = static_cast<uint32_t>(i) % 32;
            for (int32_t k = 1; k <= kSlots; ++k) s.held[k] = (pattern >> (k - 1)) & 1u;
            drawCards(s, GameType{type}, FixedClock(reading(i + 7919)));

            ASSERT_TRUE(distinct(s.hand));
            ASSERT_LE(jokers(s.hand), 1);
            for (int32_t k = 1; k <= kSlots; ++k) {
                if (s.held[k]) {
                    ASSERT_EQ(s.hand[k], before[k]);
                    continue;
                }
                // A card out before the draw never comes back in it; only the
                // joker of game type 2 may.
                const bool wasOut =
                    std::find(before.begin() + 1, before.end(), s.hand[k]) != before.end();
                if (s.hand[k] != kJoker) {
                    ASSERT_FALSE(wasOut);
                    ASSERT_TRUE(s.usedCards[s.hand[k]]);
                }
            }
            bool jokerHeld = false;
            for (int32_t k = 1; k <= kSlots; ++k)
                jokerHeld = jokerHeld || (s.held[k] && before[k] == kJoker);
            if (type == 1) {
                ASSERT_EQ(jokers(s.hand), jokerHeld ? 1 : 0);
            }
            if (type == 3) {
                ASSERT_EQ(jokers(s.hand), 0);
            }
            if (pattern == 31) {
                ASSERT_EQ(s.hand, before);
            }
        }
    }
}

TEST(Draw, DiscardedJokerIsReplacedInTypeOne) {
    EngineState s;
    s.hand = handOf({53, 2, 3, 4, 5});
    s.held = heldOf("01111");
    drawCards(s, GameType{1}, FixedClock(1234));
    EXPECT_EQ(jokers(s.hand), 0);
    EXPECT_EQ(s.hand[2], 2);
}

TEST(Draw, HeldJokerGetsNoSecondJokerInTypeTwo) {
    for (int32_t ms = 0; ms < 5000; ++ms) {
        EngineState s;
        s.hand = handOf({53, 2, 3, 4, 5});
        s.held = heldOf("10000");
        drawCards(s, GameType{2}, FixedClock(ms));
        ASSERT_EQ(jokers(s.hand), 1);
        ASSERT_EQ(s.hand[1], kJoker);
    }
}

TEST(Draw, AllHeldChangesNothingAndDrawsNoJoker) {
    for (int32_t ms = 0; ms < 3000; ++ms) {
        EngineState s;
        s.hand = handOf({1, 2, 3, 4, 5});
        s.held = heldOf("11111");
        s.random.randSeed = 1;
        drawCards(s, GameType{2}, FixedClock(ms));
        ASSERT_EQ(s.hand, handOf({1, 2, 3, 4, 5}));
        // Nothing was drawn: the seed is the clock reading itself.
        ASSERT_EQ(s.random.randSeed, static_cast<uint32_t>(ms));
    }
}

TEST(JokerChance, CountedOverEveryValueOfX) {
    const GameTypeRules& rules = rulesOf(GameType::JokerPossible);
    int32_t atDeal = 0;
    std::array<int32_t, 6> atDraw{};
    for (int32_t x = 1; x <= 1060; ++x) {
        atDeal += jokerComes(x, rules.jokerDealChances) ? 1 : 0;
        for (int32_t h = 0; h <= 5; ++h) {
            atDraw[h] += jokerComes(x, jokerDrawChances(rules, h)) ? 1 : 0;
        }
    }
    EXPECT_EQ(atDeal, 99);
    EXPECT_EQ(atDraw, (std::array<int32_t, 6>{99, 79, 59, 39, 19, 0}));
}

}  // namespace
}  // namespace brisko
