// SPDX-License-Identifier: GPL-3.0-or-later
// The all-time statistics of each game type, kept in the settings store
// under a key of their own beside the game's key, which they never touch.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/game_type.h"
#include "engine/hand.h"
#include "records/store.h"

namespace brisko {

// The figures of a run of draws: a game, or all the games of a game type.
struct StatFigures {
    int64_t draws = 0;
    int64_t bet = 0;                                   // credits bet
    int64_t won = 0;                                   // credits won, after the double-up
    std::array<int64_t, kCategoryCount> categories{};  // final hands, by category
    int64_t doubleOffered = 0;
    int64_t doubleTaken = 0;
    int64_t doubleWon = 0;
    int64_t doubleTied = 0;
    int64_t doubleLost = 0;
    int64_t largestDoubleWin = 0;  // the largest win a won double-up reached

    bool operator==(const StatFigures&) const = default;
};

using AllTimeFigures = std::array<StatFigures, kGameTypes>;  // [n - 1]: game type n

inline const StatFigures& figuresOf(const AllTimeFigures& all, GameType type) {
    return all[static_cast<size_t>(number(type) - 1)];
}

// "Software\Caldimo\BRISKO 99\Statistics" for the game's key
// "Software\Caldimo\BRISKO 99\".
std::string statisticsKeyOf(const std::string& gameKey);

// Reads the figures; a missing key reads as zeros. A damaged key (a value of
// the wrong type or length, or a count out of range) reads as zeros and sets
// `damaged`. A store that cannot be read raises its StoreError.
AllTimeFigures loadStatistics(SettingsStore& store, const std::string& key, bool* damaged);

// Writes the figures in one save (the store's atomic commit). A refusal
// names the value of `played`, the game type whose figures changed.
void saveStatistics(SettingsStore& store, const std::string& key, const AllTimeFigures& all,
                    GameType played = GameType{1});
// The same without waiting for the disk (SettingsStore::commitSaveInBackground):
// a refusal met on the way, named the same, goes to `refused`; one met
// before, when the store cannot even be read, is raised.
void saveStatisticsInBackground(SettingsStore& store, const std::string& key,
                                const AllTimeFigures& all, GameType played,
                                std::function<void(const StoreError&)> refused);

}  // namespace brisko
