// SPDX-License-Identifier: GPL-3.0-or-later
// Exact expected returns of the game: the value of every hold of a dealt hand,
// and the return of a whole game type under a holding strategy, as exact
// fractions.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/fast_eval.h"
#include "engine/hand.h"
#include "tools/wide_int.h"

namespace brisko {

// The categories as the English pay table names them, Nothing first.
inline constexpr std::array<const char*, kCategoryCount> kCategoryNames = {
    "Nothing", "Kings or Better", "Two Pairs",      "Three of a Kind", "Straight",
    "Flush",   "Full House",      "Four of a Kind", "Straight Flush",  "Royal Flush"};

std::string toString(Int128 value);

// A reduced fraction with a positive denominator.
class Fraction {
  public:
    Fraction() = default;
    Fraction(Int128 num, Int128 den);
    Int128 num() const { return num_; }
    Int128 den() const { return den_; }
    Fraction operator+(const Fraction& other) const;
    Fraction operator*(const Fraction& other) const;
    bool operator==(const Fraction& other) const = default;
    // Exact comparison.
    bool operator<(const Fraction& other) const;
    long double value() const;
    // "num/den"
    std::string exact() const;
    // The decimal expansion, truncated after `places` places.
    std::string decimal(int32_t places) const;

  private:
    Int128 num_ = 0;
    Int128 den_ = 1;
};

// A hold as five slot flags: bit k - 1 for slot k.
using HoldMask = uint32_t;
inline constexpr HoldMask kHoldCount = 32;

// The expected win per credit bet of each of the 32 holds of a dealt hand
// (indexed by HoldMask) in a game type, by counting every possible draw.
// The hand must be one the game type can deal. Holds of fewer than
// `fewestHeld` cards are skipped (left at 0).
std::array<Fraction, kHoldCount> holdValues(const FastEvaluator& evaluator, const Hand& dealt,
                                            GameType gameType, int32_t fewestHeld = 0);

// The holds the game suggests for a dealt hand (suggestMarks), as a HoldMask.
HoldMask suggestedHold(const FastEvaluator& evaluator, const Hand& dealt);

// The order of the holds in the advice: the higher value first, between
// equal values the hold of fewer cards, then the lower mask.
template <typename Value>
bool holdComesFirst(const std::array<Value, kHoldCount>& values, HoldMask a, HoldMask b) {
    if (!(values[a] == values[b])) return values[b] < values[a];
    if (std::popcount(a) != std::popcount(b)) return std::popcount(a) < std::popcount(b);
    return a < b;
}

// The first hold in that order: the hold the optimal strategy plays.
template <typename Value>
HoldMask bestHold(const std::array<Value, kHoldCount>& values) {
    HoldMask best = 0;
    for (HoldMask m = 1; m < kHoldCount; ++m) {
        if (holdComesFirst(values, m, best)) best = m;
    }
    return best;
}

enum class Strategy { Optimal, Suggest };

struct GameReturn {
    GameType gameType{};
    Strategy strategy = Strategy::Optimal;
    Fraction perCredit;                               // expected win per credit bet
    std::array<Fraction, kCategoryCount> categories;  // probability of each final category
    double standardDeviation = 0;                     // of the win per credit of one draw
};

// Everything the return of a game type needs beyond the evaluation table:
// for every set of up to four ordinary cards, the final hands that hold it.
// The work is shared among `threads` threads.
class ReturnCalculator {
  public:
    ReturnCalculator(const FastEvaluator& evaluator, int32_t threads);

    // Both strategies of one game type. With `bySuitSymmetry` each class of
    // deals equal up to a renaming of the suits is worked out once.
    std::array<GameReturn, 2> gameReturns(GameType gameType, bool bySuitSymmetry = true) const;

    // The value of every hold of a dealt hand, from the tables (as holdValues).
    std::array<Fraction, kHoldCount> holdValues(const Hand& dealt, GameType gameType) const;

  private:
    struct Level {
        std::vector<std::array<uint32_t, kCategoryCount>> categories;
        std::vector<int64_t> pay;
    };
    struct Sums;
    void addUpSmallerSets(int32_t k);
    Sums sumOverDeals(GameType gameType, int32_t count, bool bySuitSymmetry) const;

    const FastEvaluator& evaluator_;
    int32_t threads_;
    // [k]: sets of k ordinary cards; without: final hands of five ordinary
    // cards, with: the joker and four ordinary cards.
    std::array<Level, 5> without_;
    std::array<Level, 5> with_;

    friend class DealWork;
};

// Number of deals of ordinary cards up to suit renaming: classes of five-card
// sets (134,459) or four-card sets.
int64_t suitClassCount(int32_t cards);

}  // namespace brisko
