// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze simulate: whole games played through the game table, the
// clock replaced by a seeded sequence of readings.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/hand.h"
#include "engine/returns.h"

namespace brisko {

struct SimulationSetup {
    GameType gameType = GameType::NoJoker;
    int32_t targetIndex = 1;  // 1..5: 50..1000 draws; 6 unlimited
    int64_t games = 100;
    Strategy strategy = Strategy::Suggest;
    bool alwaysDouble = false;
    int32_t bet = 1;  // 1 or 20 credits a draw
    uint64_t seed = 1;
};

// An unlimited game has no end: the simulation stops it after this many draws.
inline constexpr int32_t kUnlimitedDraws = 1000;

struct SimulationResult {
    std::vector<int32_t> finals;  // final credit, or the unlimited game's score
    int64_t draws = 0;
    int64_t credits = 0;       // bet in all
    int64_t won = 0;           // paid by the draws, before any double-up
    double returnSquares = 0;  // sum over draws of (win / bet)^2
    std::array<int64_t, kCategoryCount> hits{};
    int64_t belowStart = 0;  // games that ended below 200 credits
    double meanReturn() const { return credits ? static_cast<double>(won) / credits : 0; }
    // Of meanReturn, from the spread of the draws.
    double standardError() const;
};

// Plays the games; a progress line goes to `progress` now and then.
SimulationResult simulate(const SimulationSetup& setup, std::ostream* progress);

// Returns the exit status: 0, or 2 when the arguments were refused.
int runSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brisko
