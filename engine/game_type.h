// SPDX-License-Identifier: GPL-3.0-or-later
// The game types: what each does with the joker at the deal and at the draw,
// how brisko-analyze describes it, and where its generated best scores start.
// A new game type is one more row here, its name in the text table and its
// best-score lists.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/card.h"

namespace brisko {

enum class GameType : int32_t { JokerEveryDeal = 1, JokerPossible = 2, NoJoker = 3 };

// The joker's chances are counted out of this many: one randomFrom(kJokerOdds)
// x brings it when x is at most the chances.
inline constexpr int32_t kJokerOdds = 1060;

struct GameTypeRules {
    GameType type;
    std::string_view description;  // how brisko-analyze names it
    // The joker in the deal: kJokerOdds puts it in every deal without drawing
    // a chance, 0 never, anything between is its chances.
    int32_t jokerDealChances;
    // The joker at the draw, when it is not held: chances of
    // jokerDrawPerFreeSlot x (slots not held) - 1; 0: never.
    int32_t jokerDrawPerFreeSlot;
    // Generated best scores: rank 1 lies a little above
    // highScoreBase + highScorePerDraw x draws, or above
    // unlimitedHighScoreBase for the unlimited game.
    int32_t highScoreBase;
    int32_t highScorePerDraw;
    int32_t unlimitedHighScoreBase;
};

inline constexpr std::array<GameTypeRules, 3> kGameTypeRules = {{
    {GameType::JokerEveryDeal, "a joker in every deal", kJokerOdds, 0, 3300, 100, 8300},
    {GameType::JokerPossible, "a joker possible", 99, 20, 2300, 20, 2300},
    {GameType::NoJoker, "no joker", 0, 0, 1300, 0, 2200},
}};

inline constexpr int32_t kGameTypes = static_cast<int32_t>(kGameTypeRules.size());

constexpr bool rowsInGameTypeOrder() {
    for (size_t i = 0; i < kGameTypeRules.size(); ++i) {
        if (static_cast<size_t>(kGameTypeRules[i].type) != i + 1) return false;
    }
    return true;
}
static_assert(rowsInGameTypeOrder(), "row n holds game type n");

// Game types are numbered 1..kGameTypes, in the store and on the screen.
constexpr int32_t number(GameType type) {
    return static_cast<int32_t>(type);
}
constexpr bool isGameType(int32_t n) {
    return n >= 1 && n <= kGameTypes;
}
constexpr const GameTypeRules& rulesOf(GameType type) {
    return kGameTypeRules[static_cast<size_t>(number(type) - 1)];
}

// Chances out of kJokerOdds that the joker comes in at a draw with `held`
// slots held, the joker not among them.
constexpr int32_t jokerDrawChances(const GameTypeRules& rules, int32_t held) {
    if (held >= kSlots || rules.jokerDrawPerFreeSlot == 0) return 0;
    return rules.jokerDrawPerFreeSlot * (kSlots - held) - 1;
}

}  // namespace brisko
