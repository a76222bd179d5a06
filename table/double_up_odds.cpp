// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/double_up_odds.h"

#include "engine/card.h"

namespace brisko {

namespace {

constexpr bool canBeDealerCard(int32_t rank) {
    return rank >= 3 && rank <= 13;
}

}  // namespace

PickOdds pickOdds(int32_t dealerRank) {
    int32_t above = 0;
    int32_t equal = 0;
    int32_t below = 0;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        const int32_t rank = cardTable[c].rank;
        above += rank > dealerRank;
        equal += rank == dealerRank;
        below += rank < dealerRank;
    }
    // Left for the two random cards: all but the dealer's, the higher and
    // the lower card.
    --above;
    --equal;
    --below;
    const int32_t left = above + equal + below;
    // A slot holds the higher card 1 time in 4 (its slot is drawn out of
    // four), the lower card 1 time in 4 (3 in 4 not the higher's, then 1 in
    // 3), and otherwise one of the cards left, all alike.
    const Fraction quarter(1, 4);
    const Fraction other(1, 2);
    return {quarter + other * Fraction(above, left), other * Fraction(equal, left),
            quarter + other * Fraction(below, left)};
}

PickOdds blindPickOdds() {
    // The dealer's card is drawn out of 52 until it ranks from 3 to 13: each
    // such card alike.
    int32_t dealerCards = 0;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) dealerCards += canBeDealerCard(cardTable[c].rank);
    PickOdds blind{};
    const Fraction each(1, dealerCards);
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        if (!canBeDealerCard(cardTable[c].rank)) continue;
        const PickOdds o = pickOdds(cardTable[c].rank);
        blind.win = blind.win + each * o.win;
        blind.tie = blind.tie + each * o.tie;
        blind.loss = blind.loss + each * o.loss;
    }
    return blind;
}

}  // namespace brisko
