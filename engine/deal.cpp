// SPDX-License-Identifier: GPL-3.0-or-later
// Dealing and drawing. There is no shuffled deck: each ordinary card is drawn
// uniformly from the 52 and drawn again while it is already out. The joker only
// comes in by the rule of the game type. The order of the random calls decides
// the cards, so it must not change.
#include "engine/hand.h"

namespace brisko {

bool dealtByGameType(const Hand& hand, GameType gameType) {
    std::array<bool, kJoker + 1> seen{};
    for (int32_t k = 1; k <= kSlots; ++k) {
        const int32_t c = hand[static_cast<size_t>(k)];
        if (c < 1 || c > kJoker || seen[static_cast<size_t>(c)]) return false;
        seen[static_cast<size_t>(c)] = true;
    }
    const int32_t chances = rulesOf(gameType).jokerDealChances;
    return seen[kJoker] ? chances > 0 : chances < kJokerOdds;
}

void dealHand(EngineState& s, GameType gameType, const Clock& clock) {
    s.random.reseedFromClock(clock);
    s.hand[1] = s.random.randomFrom(kOrdinaryCards);
    for (int32_t k = 2; k <= kSlots; ++k) {
        bool repeat = true;
        while (repeat) {
            s.hand[k] = s.random.randomFrom(kOrdinaryCards);
            repeat = false;
            for (int32_t j = 1; j < k; ++j) repeat = repeat || s.hand[j] == s.hand[k];
        }
    }
    const int32_t chances = rulesOf(gameType).jokerDealChances;
    if (chances >= kJokerOdds ||
        (chances > 0 && jokerComes(s.random.randomFrom(kJokerOdds), chances))) {
        s.hand[s.random.randomFrom(kSlots)] = kJoker;
    }
    evaluateHand(s);
}

void drawCards(EngineState& s, GameType gameType, const Clock& clock) {
    s.usedCards.fill(false);
    for (int32_t k = 1; k <= kSlots; ++k) s.usedCards[s.hand[k]] = true;

    s.random.reseedFromClock(clock);
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (s.held[k]) continue;
        int32_t c = s.random.randomFrom(kOrdinaryCards);
        while (s.usedCards[c]) c = s.random.randomFrom(kOrdinaryCards);
        s.hand[k] = c;
        s.usedCards[c] = true;
    }

    const GameTypeRules& rules = rulesOf(gameType);
    if (rules.jokerDrawPerFreeSlot > 0) {
        int32_t heldCount = 0;
        bool jokerHeld = false;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!s.held[k]) continue;
            ++heldCount;
            jokerHeld = jokerHeld || s.hand[k] == kJoker;
        }
        if (!jokerHeld && heldCount < kSlots &&
            jokerComes(s.random.randomFrom(kJokerOdds), jokerDrawChances(rules, heldCount))) {
            // The joker takes the first slot not held after a slot drawn at
            // random, the drawn slot itself coming last.
            int32_t slot = s.random.randomFrom(kSlots);
            do {
                slot = slot % kSlots + 1;
            } while (s.held[slot]);
            s.hand[slot] = kJoker;
        }
    }
    evaluateHand(s);
}

}  // namespace brisko
