// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy chart of a game type: an ordered list of hold patterns, one
// list for the deals with the joker and one for those without, learnt from
// the exact value of every hold of every deal. A player keeps the cards of
// the first line the deal fits; a few exceptions move a pattern when the
// cards thrown would have helped it. The chart knows its own return beside
// the best play's and the game's suggestion's.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/fraction.h"
#include "engine/hold_pattern.h"
#include "engine/returns.h"

namespace brisko {

// Changes with anything that changes the charts: the rules of the game, the
// pay table, the words of the patterns or the way the charts are made. A
// chart kept in a file of another version is made again.
inline constexpr int32_t kChartRulesVersion = 1;

struct ChartLine {
    int32_t number = 0;  // 1.. through the whole chart, in the order it is printed
    PatternRange patterns;
    // 0 for a line of the list. An exception: the PenaltyCard bits that must
    // all be among the cards thrown, and the number of the line of the list
    // it is played before.
    uint8_t penalties = 0;
    int32_t before = 0;
    double share = 0;  // of the section's deals, those whose hold this line chooses
    double value = 0;  // the average expected win per credit bet of those holds

    bool isException() const { return penalties != 0; }
    bool operator==(const ChartLine&) const = default;
};

struct ChartSection {
    bool joker = false;                 // the deals with the joker, or those without
    double share = 0;                   // of the game type's deals
    std::vector<ChartLine> lines;       // in order: the first line a deal fits
    std::vector<ChartLine> exceptions;  // in the order they are weighed
    bool operator==(const ChartSection&) const = default;
};

struct ChartChoice {
    HoldMask hold = 0;
    int32_t line = 0;  // the number of the line that chose it
};

struct StrategyChart {
    GameType gameType = GameType::NoJoker;
    std::vector<ChartSection> sections;  // the joker's first
    // Expected win per credit bet of the chart, the best holds and the game's
    // suggestion, over every deal of the game type.
    Fraction chartReturn;
    Fraction bestReturn;
    Fraction suggestedReturn;
    // The deals whose chart hold is a best hold (of the highest value).
    Fraction bestHoldShare;

    // The hold the chart keeps on a deal of its game type, and its line.
    ChartChoice choose(const Hand& dealt) const;
    // The line a hold of a deal fits (the one that would choose it, were it
    // first), or 0 when it fits none: for the best hold, the line a player
    // should have followed.
    int32_t lineOf(const Hand& dealt, HoldMask hold) const;
    // The line of that number, or null.
    const ChartLine* line(int32_t number) const;
    const ChartSection* section(bool joker) const;

    bool operator==(const StrategyChart&) const = default;
};

// Works the chart of a game type out from the calculator's values, on the
// calculator's threads; the same chart whatever their number.
StrategyChart makeStrategyChart(const ReturnCalculator& calculator, GameType gameType);

// The chart as a small text file, and back. Reading refuses (nothing) a file
// of another kChartRulesVersion, another game type or one damaged.
void writeStrategyChart(const StrategyChart& chart, std::ostream& out);
std::optional<StrategyChart> readStrategyChart(std::istream& in, GameType gameType);
// The file's name in a cache folder.
std::string strategyChartFileName(GameType gameType);

}  // namespace brisko
