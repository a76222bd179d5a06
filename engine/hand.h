// SPDX-License-Identifier: GPL-3.0-or-later
// Hand categories, the pay table and the state the card rules work on.
#pragma once

#include <array>
#include <cstdint>

#include "engine/card.h"
#include "engine/game_type.h"
#include "engine/random.h"

namespace brisko {

enum class HandCategory : int32_t {
    Nothing = 0,
    KingsOrBetter = 1,
    TwoPairs = 2,
    ThreeOfAKind = 3,
    Straight = 4,
    Flush = 5,
    FullHouse = 6,
    FourOfAKind = 7,
    StraightFlush = 8,
    RoyalFlush = 9,
};

inline constexpr int32_t kCategoryCount = 10;

// Win per credit bet, by category 0..9.
inline constexpr std::array<int32_t, kCategoryCount> payMultiplier = {0,  1,  2,  4,   8,
                                                                      12, 16, 24, 200, 500};

// Everything the card rules read and write while a hand is played.
struct EngineState {
    Hand hand{0, 1, 1, 1, 1, 1};       // card index per slot; index 1 before the first deal
    SlotFlags held{};                  // the slot's card stays at the draw
    std::array<bool, 54> usedCards{};  // by card index: already out in this draw
    RandomSource random;

    // Left by the last evaluation.
    int32_t jokerSlot = 0;                // 1..5, or 0 without the joker
    std::array<int32_t, 16> rankTally{};  // ordinary cards per rank 2..14
    SlotFlags markedCards{};              // the slots that make the category
    int32_t pairRank = -1;                // 13 or 14 after a kings-or-better hand
};

// Classifies `state.hand` with the joker wild; sets jokerSlot, rankTally,
// markedCards, and pairRank when the result is KingsOrBetter.
HandCategory evaluateHand(EngineState& state);

// bet x multiplier; 0 for Nothing.
int32_t payout(HandCategory category, int32_t bet);

// Steps 1-3 of the hold suggestion: turns the marks of the deal's evaluation
// into the suggested slots, in markedCards.
void suggestMarks(EngineState& state);

// Whether a draw x of randomFrom(kJokerOdds) brings the joker, with that
// many chances.
constexpr bool jokerComes(int32_t x, int32_t chances) {
    return x <= chances;
}

// Five different cards that a deal of the game type can hold: the joker in
// every deal of the type that always deals it, in none of the type without it.
bool dealtByGameType(const Hand& hand, GameType gameType);

// Deals five new cards, with the joker rule of the game type, and evaluates them.
void dealHand(EngineState& state, GameType gameType, const Clock& clock);
// Replaces the slots not held, with the joker rule of the game type, and evaluates.
void drawCards(EngineState& state, GameType gameType, const Clock& clock);

}  // namespace brisko
