// SPDX-License-Identifier: GPL-3.0-or-later
// The exact chances of a double-up pick, counted over the way the table lays
// out its five cards: the dealer's card from three to king, one card surely
// higher and one surely lower in two of the four slots, and two cards at
// random among those left in the other two.
#pragma once

#include <cstdint>

#include "engine/fraction.h"

namespace brisko {

struct PickOdds {
    Fraction win;   // a higher card: the win doubles
    Fraction tie;   // an equal card: the same win is offered again
    Fraction loss;  // a lower card: the win is lost

    // The expected win after one pick, per credit at stake; quitting keeps 1.
    Fraction doublingValue() const { return win * Fraction(2, 1) + tie; }
};

// In the pick, with the dealer's card of `dealerRank` (3..13) face up; the
// same for each of the four face-down cards.
PickOdds pickOdds(int32_t dealerRank);

// At the offer, before the dealer's card is laid out.
PickOdds blindPickOdds();

}  // namespace brisko
