// SPDX-License-Identifier: GPL-3.0-or-later
// The all-time statistics of each game type, kept in the settings store
// under a key of their own beside the game's key, which they never touch,
// with the trainer's figures and the player's last mistakes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/fraction.h"
#include "engine/game_type.h"
#include "engine/hand.h"
#include "engine/hold_values.h"
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

// At most this many mistakes are kept for each game type: the newest.
inline constexpr size_t kKeptMistakes = 100;

// A decision that was not a best play, as the review lists it.
struct Mistake {
    GameType gameType = GameType::NoJoker;
    int32_t drawNumber = 1;  // in its game
    Hand dealt{};
    HoldMask held = 0;
    HoldMask best = 0;  // the first hold of the advice: ties to the hold of fewer cards
    int32_t bet = 1;
    Fraction cost;  // the expected credits given away at the bet: best minus held
    // The line of the strategy chart that holds `best`, 0 for none; worked
    // out when the mistakes are listed with a chart at hand, never kept.
    int32_t chartLine = 0;

    bool operator==(const Mistake&) const = default;
};

// The trainer's figures of all the games of a game type.
struct TrainerFigures {
    int64_t decisions = 0;
    int64_t bestPlays = 0;
    Fraction givenAway;             // expected credits, exact
    std::vector<Mistake> mistakes;  // the newest kKeptMistakes, oldest first

    bool operator==(const TrainerFigures&) const = default;
};

using AllTimeTrainer = std::array<TrainerFigures, kGameTypes>;  // [n - 1]: game type n

// "Software\Caldimo\BRISKO 99\Statistics" for the game's key
// "Software\Caldimo\BRISKO 99\".
std::string statisticsKeyOf(const std::string& gameKey);

// Reads the figures; a missing key reads as zeros. A damaged key (a value of
// the wrong type or length, or a count out of range) reads as zeros and sets
// `damaged`. A store that cannot be read raises its StoreError.
AllTimeFigures loadStatistics(SettingsStore& store, const std::string& key, bool* damaged);

// Reads the trainer's figures kept beside the statistics. Each value reads
// alone: absent, of the wrong type or length, or one that does not hold
// together, it reads as nothing and costs no other value. `stored` tells the
// game types whose values are in the store. A store that cannot be read
// raises its StoreError.
AllTimeTrainer loadTrainerFigures(SettingsStore& store, const std::string& key,
                                  std::array<bool, kGameTypes>* stored = nullptr);

// Writes the figures in one save (the store's atomic commit), with the
// trainer's figures of the game types flagged in `trainerTypes` when
// `trainer` is given. A refusal names the value of `played`, the game type
// whose figures changed.
void saveStatistics(SettingsStore& store, const std::string& key, const AllTimeFigures& all,
                    GameType played = GameType{1}, const AllTimeTrainer* trainer = nullptr,
                    std::array<bool, kGameTypes> trainerTypes = {});
// The same without waiting for the disk (SettingsStore::commitSaveInBackground):
// a refusal met on the way, named the same, goes to `refused`; one met
// before, when the store cannot even be read, is raised.
void saveStatisticsInBackground(SettingsStore& store, const std::string& key,
                                const AllTimeFigures& all, GameType played,
                                const AllTimeTrainer* trainer,
                                std::array<bool, kGameTypes> trainerTypes,
                                std::function<void(const StoreError&)> refused);

}  // namespace brisko
