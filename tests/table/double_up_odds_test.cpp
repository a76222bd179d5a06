// SPDX-License-Identifier: GPL-3.0-or-later
// The double-up's chances against every layout of its five cards, made in the
// table's order: the dealer's card, the higher card's slot and card, the
// lower card's slot and card, then the two other slots in slot order.
#include <gtest/gtest.h>

#include <bit>

#include "engine/card.h"
#include "table/double_up_odds.h"

namespace brisko {
namespace {

// Outcomes of a pick: 0 higher, 1 equal, 2 lower.
using Counts = std::array<std::array<int64_t, 3>, kSlots + 1>;  // by slot 2..5

int32_t outcome(int32_t card, int32_t dealerRank) {
    const int32_t rank = cardTable[card].rank;
    return rank > dealerRank ? 0 : rank == dealerRank ? 1 : 2;
}

uint64_t cardsWhere(auto rankFits) {
    uint64_t mask = 0;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        if (rankFits(cardTable[c].rank)) mask |= uint64_t{1} << c;
    }
    return mask;
}

// Every layout with this dealer's card, each as likely as the others (the
// choices at each step do not depend on the cards chosen before, only on
// the dealer's rank): the outcome of a pick of each slot, counted. The second
// random card is counted by class among the cards still free.
Counts everyLayout(int32_t dealer, int64_t& layouts) {
    const int32_t r = cardTable[dealer].rank;
    const uint64_t higher = cardsWhere([r](int32_t rank) { return rank > r; });
    const uint64_t equal = cardsWhere([r](int32_t rank) { return rank == r; });
    const uint64_t lower = cardsWhere([r](int32_t rank) { return rank < r; });
    const uint64_t all = higher | equal | lower;
    Counts counts{};
    layouts = 0;
    for (int32_t hs = 2; hs <= kSlots; ++hs) {
        for (int32_t hc = 1; hc <= kOrdinaryCards; ++hc) {
            if (!((higher >> hc) & 1)) continue;
            for (int32_t ls = 2; ls <= kSlots; ++ls) {
                if (ls == hs) continue;
                for (int32_t lc = 1; lc <= kOrdinaryCards; ++lc) {
                    if (!((lower >> lc) & 1)) continue;
                    int32_t first = 2;
                    while (first == hs || first == ls) ++first;
                    int32_t second = first + 1;
                    while (second == hs || second == ls) ++second;
                    const uint64_t used =
                        uint64_t{1} << dealer | uint64_t{1} << hc | uint64_t{1} << lc;
                    for (int32_t o1 = 1; o1 <= kOrdinaryCards; ++o1) {
                        if ((used >> o1) & 1) continue;
                        const uint64_t free = all & ~(used | uint64_t{1} << o1);
                        const int64_t o2 = std::popcount(free);
                        layouts += o2;
                        counts[hs][outcome(hc, r)] += o2;
                        counts[ls][outcome(lc, r)] += o2;
                        counts[first][outcome(o1, r)] += o2;
                        counts[second][0] += std::popcount(free & higher);
                        counts[second][1] += std::popcount(free & equal);
                        counts[second][2] += std::popcount(free & lower);
                    }
                }
            }
        }
    }
    return counts;
}

PickOdds oddsOf(const std::array<Fraction, 3>& chances) {
    return {chances[0], chances[1], chances[2]};
}

void expectSameOdds(const PickOdds& a, const PickOdds& b, const std::string& where) {
    EXPECT_EQ(a.win, b.win) << where << ' ' << a.win.exact() << ' ' << b.win.exact();
    EXPECT_EQ(a.tie, b.tie) << where << ' ' << a.tie.exact() << ' ' << b.tie.exact();
    EXPECT_EQ(a.loss, b.loss) << where << ' ' << a.loss.exact() << ' ' << b.loss.exact();
}

TEST(DoubleUpOdds, EqualEveryLayoutOfTheFiveCards) {
    // The dealer's card: one of the 44 cards from three to king, alike.
    std::array<std::array<Fraction, 3>, kSlots + 1> blind{};
    for (int32_t dealer = 1; dealer <= kOrdinaryCards; ++dealer) {
        const int32_t r = cardTable[dealer].rank;
        if (r < 3 || r > 13) continue;
        int64_t layouts = 0;
        const Counts counts = everyLayout(dealer, layouts);
        for (int32_t s = 2; s <= kSlots; ++s) {
            std::array<Fraction, 3> known{};
            for (int32_t o = 0; o < 3; ++o) {
                known[o] = Fraction(counts[s][o], layouts);
                blind[s][o] = blind[s][o] + known[o] * Fraction(1, 44);
            }
            expectSameOdds(pickOdds(r), oddsOf(known),
                           cardName(dealer) + " slot " + std::to_string(s));
        }
    }
    for (int32_t s = 2; s <= kSlots; ++s) {
        expectSameOdds(blindPickOdds(), oddsOf(blind[s]), "blind, slot " + std::to_string(s));
    }
}

// A blind pick is a fair bet: the doubled win comes as often as the loss.
TEST(DoubleUpOdds, FiguresOfTheGame) {
    const PickOdds blind = blindPickOdds();
    EXPECT_EQ(blind.win, Fraction(95, 196));
    EXPECT_EQ(blind.tie, Fraction(3, 98));
    EXPECT_EQ(blind.loss, Fraction(95, 196));
    EXPECT_EQ(blind.doublingValue(), Fraction(1, 1));
    // Against a three, doubling is worth 69/49 of the win; against a king 29/49.
    EXPECT_EQ(pickOdds(3).doublingValue(), Fraction(69, 49));
    EXPECT_EQ(pickOdds(13).doublingValue(), Fraction(29, 49));
}

}  // namespace
}  // namespace brisko
