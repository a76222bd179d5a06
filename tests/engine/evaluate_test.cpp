// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation against an independent evaluator, over every hand of five
// ordinary cards and every hand with the joker.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "engine/card.h"
#include "engine/hand.h"

namespace brisko {
namespace {

constexpr int32_t cat(HandCategory c) {
    return static_cast<int32_t>(c);
}

Hand handOf(std::initializer_list<int32_t> cards) {
    Hand h{};
    int32_t k = 1;
    for (int32_t c : cards) h[k++] = c;
    return h;
}

// Cards for the examples: rank letter and suit, S H C D.
int32_t c(const char* name) {
    return *parseCard(name);
}

std::string marksOf(const EngineState& s) {
    std::string m;
    for (int32_t k = 1; k <= kSlots; ++k) m += s.markedCards[k] ? '1' : '0';
    return m;
}

// Textbook poker ranking on ranks 2..14 and suits, kings or better as the
// lowest paying hand. Five equal ranks (the joker copying a rank) count as four.
struct Oracle {
    int32_t category = 0;
    int32_t pairRank = -1;
};

Oracle textbook(const std::array<int32_t, 5>& ranks, const std::array<int32_t, 5>& suits) {
    std::array<int32_t, 15> count{};
    for (int32_t r : ranks) ++count[r];
    const bool flush =
        std::all_of(suits.begin(), suits.end(), [&](int32_t s) { return s == suits[0]; });
    int32_t distinctRanks = 0;
    int32_t lo = 15;
    int32_t hi = 0;
    for (int32_t r = 2; r <= 14; ++r) {
        if (count[r] == 0) continue;
        ++distinctRanks;
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }
    const bool wheel =
        distinctRanks == 5 && count[14] && count[2] && count[3] && count[4] && count[5];
    const bool straight = distinctRanks == 5 && (hi - lo == 4 || wheel);
    std::vector<int32_t> groups;
    for (int32_t r = 2; r <= 14; ++r) {
        if (count[r] > 0) groups.push_back(count[r]);
    }
    std::sort(groups.rbegin(), groups.rend());
    if (straight && flush) return {lo == 10 ? 9 : 8, -1};
    if (groups[0] >= 4) return {7, -1};
    if (groups[0] == 3 && groups[1] == 2) return {6, -1};
    if (flush) return {5, -1};
    if (straight) return {4, -1};
    if (groups[0] == 3) return {3, -1};
    if (groups[0] == 2 && groups[1] == 2) return {2, -1};
    if (count[13] == 2) return {1, 13};
    if (count[14] == 2) return {1, 14};
    return {0, -1};
}

// With the joker: the best the joker can stand for, and the one house rule
// that a straight flush with the joker and either an ace or a king (not both)
// pays as a royal flush. A lone king takes the joker before a lone ace.
Oracle withJoker(const std::array<int32_t, 4>& cards) {
    std::array<int32_t, 5> ranks{};
    std::array<int32_t, 5> suits{};
    for (int i = 0; i < 4; ++i) {
        ranks[i] = cardTable[cards[i]].rank;
        suits[i] = cardTable[cards[i]].suit;
    }
    Oracle best;
    for (int32_t r = 2; r <= 14; ++r) {
        for (int32_t s = 1; s <= 4; ++s) {
            ranks[4] = r;
            suits[4] = s;
            const Oracle o = textbook(ranks, suits);
            if (o.category > best.category) best = o;
        }
    }
    const bool ace = std::count(ranks.begin(), ranks.begin() + 4, 14) > 0;
    const bool king = std::count(ranks.begin(), ranks.begin() + 4, 13) > 0;
    if (best.category == 8 && ace != king) best.category = 9;
    if (best.category == 1) best.pairRank = king ? 13 : 14;
    return best;
}

// The marks each result leaves, from the ranks alone.
std::string expectedMarks(const Hand& h, int32_t category, int32_t pairRank) {
    std::array<int32_t, 16> count{};
    int32_t joker = 0;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (h[k] == kJoker) {
            joker = k;
        } else {
            ++count[cardTable[h[k]].rank];
        }
    }
    auto mark = [&](auto pick) {
        std::string m;
        for (int32_t k = 1; k <= kSlots; ++k) m += pick(k) ? '1' : '0';
        return m;
    };
    auto rankOf = [&](int32_t k) { return cardTable[h[k]].rank; };
    auto highest = [&](int32_t n) {
        for (int32_t r = 14; r >= 2; --r) {
            if (count[r] == n) return r;
        }
        return 0;
    };
    switch (category) {
        case 9:
        case 8:
        case 6:
        case 5:
        case 4:
            return "11111";
        case 7: {
            const int32_t four = highest(4);
            const int32_t r = four ? four : highest(3);
            return mark([&](int32_t k) { return k != joker ? rankOf(k) == r : four == 0; });
        }
        case 3: {
            const int32_t three = highest(3);
            const int32_t r = three ? three : highest(2);
            return mark([&](int32_t k) { return k != joker ? rankOf(k) == r : three == 0; });
        }
        case 2:
            return mark([&](int32_t k) { return k != joker && count[rankOf(k)] == 2; });
        case 1:
            return mark([&](int32_t k) { return k == joker || rankOf(k) == pairRank; });
        default:
            return mark([&](int32_t k) { return k != joker && count[rankOf(k)] == 2; });
    }
}

// Calls f(hand) for every hand: 2,598,960 without the joker, then 270,725
// with it, the joker in the slot that varies with the hand.
template <typename F>
void forEveryHand(F f) {
    Hand h{};
    for (int32_t a = 1; a <= 52; ++a)
        for (int32_t b = a + 1; b <= 52; ++b)
            for (int32_t c3 = b + 1; c3 <= 52; ++c3)
                for (int32_t d = c3 + 1; d <= 52; ++d) {
                    for (int32_t e = d + 1; e <= 52; ++e) {
                        h = Hand{0, a, b, c3, d, e};
                        f(h, false);
                    }
                    std::array<int32_t, 4> four{a, b, c3, d};
                    const int32_t slot = (a + b + c3 + d) % 5 + 1;
                    int32_t j = 0;
                    for (int32_t k = 1; k <= kSlots; ++k) h[k] = k == slot ? kJoker : four[j++];
                    f(h, true);
                }
}

TEST(EvaluateHand, AgreesWithIndependentEvaluatorOnEveryHand) {
    std::array<int64_t, 10> plain{};
    std::array<int64_t, 10> joker{};
    int64_t mismatches = 0;
    EngineState s;
    forEveryHand([&](const Hand& h, bool hasJoker) {
        s.hand = h;
        s.pairRank = -1;
        const int32_t got = cat(evaluateHand(s));
        Oracle want;
        if (hasJoker) {
            std::array<int32_t, 4> four{};
            int i = 0;
            for (int32_t k = 1; k <= kSlots; ++k) {
                if (h[k] != kJoker) four[i++] = h[k];
            }
            want = withJoker(four);
            ++joker[got];
        } else {
            std::array<int32_t, 5> ranks{};
            std::array<int32_t, 5> suits{};
            for (int i = 0; i < 5; ++i) {
                ranks[i] = cardTable[h[i + 1]].rank;
                suits[i] = cardTable[h[i + 1]].suit;
            }
            want = textbook(ranks, suits);
            ++plain[got];
        }
        const std::string marks = marksOf(s);
        const bool ok =
            got == want.category && (got != 1 || s.pairRank == want.pairRank) &&
            marks == expectedMarks(h, got, s.pairRank) &&
            s.jokerSlot ==
                (hasJoker
                     ? static_cast<int32_t>(std::find(h.begin() + 1, h.end(), kJoker) - h.begin())
                     : 0);
        if (!ok && ++mismatches <= 10) {
            ADD_FAILURE() << cardName(h[1]) << ' ' << cardName(h[2]) << ' ' << cardName(h[3]) << ' '
                          << cardName(h[4]) << ' ' << cardName(h[5]) << ": got " << got << " marks "
                          << marks << " pair " << s.pairRank << ", want " << want.category
                          << " marks " << expectedMarks(h, got, s.pairRank);
        }
    });
    EXPECT_EQ(mismatches, 0);

    // The standard counts of the 52-card deck.
    EXPECT_EQ(plain, (std::array<int64_t, 10>{2'231'820, 168'960, 123'552, 54'912, 10'200, 5'108,
                                              3'744, 624, 36, 4}));
    int64_t total = 0;
    for (int64_t n : plain) total += n;
    EXPECT_EQ(total, 2'598'960);
    total = 0;
    for (int64_t n : joker) total += n;
    EXPECT_EQ(total, 270'725);
}

TEST(EvaluateHand, SlotOrderDoesNotMatterAndTwiceIsTheSame) {
    int32_t n = 0;
    forEveryHand([&](const Hand& h, bool) {
        if (++n % 409 != 0) return;  // every permutation of a spread of hands
        EngineState s;
        s.hand = h;
        const HandCategory first = evaluateHand(s);
        const int32_t pair = s.pairRank;
        const SlotFlags marks = s.markedCards;
        ASSERT_EQ(evaluateHand(s), first);
        ASSERT_EQ(s.markedCards, marks);
        std::array<int32_t, 5> order{1, 2, 3, 4, 5};
        do {
            EngineState p;
            for (int32_t k = 1; k <= kSlots; ++k) p.hand[k] = h[order[k - 1]];
            ASSERT_EQ(evaluateHand(p), first);
            if (first == HandCategory::KingsOrBetter) {
                ASSERT_EQ(p.pairRank, pair);
            }
        } while (std::next_permutation(order.begin(), order.end()));
    });
}

struct Example {
    std::vector<const char*> cards;
    HandCategory category;
    const char* marks;
    int32_t pairRank;  // checked for kings or better
};

TEST(EvaluateHand, HouseExamples) {
    const Example examples[] = {
        {{"AS", "KS", "QS", "JS", "10S"}, HandCategory::RoyalFlush, "11111", 0},
        {{"AH", "2H", "3H", "4H", "5H"}, HandCategory::StraightFlush, "11111", 0},
        {{"9S", "10S", "JS", "KS", "JK"}, HandCategory::RoyalFlush, "11111", 0},
        {{"AS", "2S", "3S", "4S", "JK"}, HandCategory::RoyalFlush, "11111", 0},
        {{"JS", "QS", "KS", "AS", "JK"}, HandCategory::RoyalFlush, "11111", 0},
        {{"9S", "10S", "JS", "QS", "JK"}, HandCategory::StraightFlush, "11111", 0},
        {{"JC", "QD", "KS", "AH", "JK"}, HandCategory::Straight, "11111", 0},
        {{"AC", "2D", "3S", "4H", "JK"}, HandCategory::Straight, "11111", 0},
        {{"QC", "KD", "AS", "2H", "JK"}, HandCategory::KingsOrBetter, "01001", 13},
        {{"2H", "5H", "9H", "KH", "JK"}, HandCategory::Flush, "11111", 0},
        {{"7S", "7H", "7C", "7D", "JK"}, HandCategory::FourOfAKind, "11110", 0},
        {{"KS", "KH", "5C", "5D", "JK"}, HandCategory::FullHouse, "11111", 0},
        {{"5S", "5H", "3C", "3D", "JK"}, HandCategory::FullHouse, "11111", 0},
        {{"8S", "8H", "JK", "2C", "KD"}, HandCategory::ThreeOfAKind, "11100", 0},
        {{"AS", "AH", "KC", "KD", "5S"}, HandCategory::TwoPairs, "11110", 0},
        {{"JK", "KS", "4H", "7C", "9D"}, HandCategory::KingsOrBetter, "11000", 13},
        {{"JK", "AS", "4H", "7C", "9D"}, HandCategory::KingsOrBetter, "11000", 14},
        {{"JK", "AS", "KH", "4C", "9D"}, HandCategory::KingsOrBetter, "10100", 13},
        {{"JK", "QS", "4H", "7C", "9D"}, HandCategory::Nothing, "00000", 0},
        {{"QS", "QH", "4C", "7D", "9S"}, HandCategory::Nothing, "11000", 0},
        // No wrap-around.
        {{"QS", "KH", "AC", "2D", "3S"}, HandCategory::Nothing, "00000", 0},
    };
    for (const Example& e : examples) {
        EngineState s;
        for (int32_t k = 1; k <= kSlots; ++k) s.hand[k] = c(e.cards[k - 1]);
        const HandCategory got = evaluateHand(s);
        EXPECT_EQ(got, e.category) << e.cards[0] << ' ' << e.cards[1] << ' ' << e.cards[2];
        EXPECT_EQ(marksOf(s), e.marks) << e.cards[0] << ' ' << e.cards[1] << ' ' << e.cards[2];
        if (got == HandCategory::KingsOrBetter) {
            EXPECT_EQ(s.pairRank, e.pairRank);
        }
    }
}

TEST(EvaluateHand, PairRankKeptUntilTheNextKingsOrBetter) {
    EngineState s;
    s.hand = handOf({c("KS"), c("KH"), c("4C"), c("7D"), c("9S")});
    evaluateHand(s);
    EXPECT_EQ(s.pairRank, 13);
    s.hand = handOf({c("2S"), c("3H"), c("4C"), c("7D"), c("9S")});
    evaluateHand(s);
    EXPECT_EQ(s.pairRank, 13);
}

TEST(Payout, BetTimesMultiplier) {
    EXPECT_EQ(payout(HandCategory::FullHouse, 3), 48);
    EXPECT_EQ(payout(HandCategory::RoyalFlush, 20), 10000);
    for (int32_t bet = 1; bet <= 20; ++bet) {
        EXPECT_EQ(payout(HandCategory::Nothing, bet), 0);
        EXPECT_EQ(payout(HandCategory::KingsOrBetter, bet), bet);
        EXPECT_EQ(payout(HandCategory::StraightFlush, bet), 200 * bet);
    }
}

}  // namespace
}  // namespace brisko
