// SPDX-License-Identifier: GPL-3.0-or-later
// The hold suggestion: the paying cards or the low pair the evaluation marked,
// else kings and aces, the joker always, else four cards of one suit. Nothing
// subtler: no straight draws, no expected values.
#include "engine/hand.h"

namespace brisko {

namespace {

bool anyMarked(const EngineState& s) {
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (s.markedCards[k]) return true;
    }
    return false;
}

}  // namespace

void suggestMarks(EngineState& s) {
    if (!anyMarked(s)) {
        for (int32_t k = 1; k <= kSlots; ++k) {
            const int32_t r = cardTable[s.hand[k]].rank;
            if (r == 13 || r == 14) s.markedCards[k] = true;
        }
    }
    if (s.jokerSlot != 0) s.markedCards[s.jokerSlot] = true;
    if (!anyMarked(s)) {
        std::array<int32_t, 5> perSuit{};
        for (int32_t k = 1; k <= kSlots; ++k) {
            const int32_t suit = cardTable[s.hand[k]].suit;
            if (suit <= 4) ++perSuit[suit];
        }
        for (int32_t suit = 1; suit <= 4; ++suit) {
            if (perSuit[suit] != 4) continue;
            for (int32_t k = 1; k <= kSlots; ++k) {
                if (cardTable[s.hand[k]].suit == suit) s.markedCards[k] = true;
            }
        }
    }
}

}  // namespace brisko
