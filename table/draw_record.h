// SPDX-License-Identifier: GPL-3.0-or-later
// One draw from the deal to the settlement, as the game announces it.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/game_type.h"
#include "engine/hand.h"
#include "engine/hold_values.h"

namespace brisko {

// One offer of the double-or-quit game and what became of it.
enum class DoubleUpStep : int32_t { Quit, Won, Tied, Lost };

struct DrawRecord {
    GameType gameType = GameType::NoJoker;
    int32_t drawNumber = 0;
    int32_t bet = 0;
    Hand dealt{};
    HoldMask holds = 0;
    Hand final{};
    HandCategory category = HandCategory::Nothing;
    int32_t win = 0;                     // credited: the draw's win after the double-up
    std::vector<DoubleUpStep> doubleUp;  // the offers in order; empty when none
    int32_t largestDoubleWin = 0;        // the largest win a won double-up reached
    int32_t credit = 0;                  // after the draw
};

}  // namespace brisko
