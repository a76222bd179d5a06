// SPDX-License-Identifier: GPL-3.0-or-later
// Exact expected returns of the game: the return of a whole game type under a
// holding strategy, as exact fractions, from the values of the holds of
// every deal (engine/hold_values.h). brisko-analyze rtp and the statistics
// window read them.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/fast_eval.h"
#include "engine/hand.h"
#include "engine/hold_values.h"

namespace brisko {

// The categories as the English pay table names them, Nothing first.
inline constexpr std::array<const char*, kCategoryCount> kCategoryNames = {
    "Nothing", "Kings or Better", "Two Pairs",      "Three of a Kind", "Straight",
    "Flush",   "Full House",      "Four of a Kind", "Straight Flush",  "Royal Flush"};

enum class Strategy { Optimal, Suggest };

struct GameReturn {
    GameType gameType{};
    Strategy strategy = Strategy::Optimal;
    Fraction perCredit;                               // expected win per credit bet
    std::array<Fraction, kCategoryCount> categories;  // probability of each final category
    double standardDeviation = 0;                     // of the win per credit of one draw
};

// A kind of deal of a game type: five ordinary cards, or four and the
// joker, with its chance out of kJokerOdds.
struct DealKind {
    int32_t ordinaryCards;
    int32_t chances;
};
std::vector<DealKind> dealKindsOf(GameType gameType);

// A class of deals that differ only by the names of their suits, with the
// value of every hold of one of them.
struct DealClassValues {
    Hand hand;       // the ordinary cards ascending from slot 1, then the joker with four
    int32_t weight;  // deals in the class
    // By HoldMask: the expected win per credit bet x the kind's valueDenominator
    // (at most 500 x a denominator below 10^13).
    std::array<int64_t, kHoldCount> values;
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

    // The denominator shared by the values of every deal of a kind.
    static Int128 valueDenominator(int32_t ordinaryCards);
    // Number of classes of deals of a kind (one per suit renaming).
    static size_t dealClassCount(int32_t ordinaryCards);
    // Calls visit(i, deal) once for each class i of deals of a kind, from the
    // calculator's threads at once; the classes come in no set order, but
    // each i is always the same class.
    void forEachDealClass(GameType gameType, int32_t ordinaryCards,
                          const std::function<void(size_t, const DealClassValues&)>& visit) const;

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

// What gameReturns works out for every game type, kept in the source so that
// it is known at once (the statistics window, play's stats): both strategies,
// optimal first. The figures are made by brisko-analyze rtp --format cpp
// into engine/exact_returns.cpp; a test checks them against the calculation.
const std::array<GameReturn, 2>& exactReturns(GameType gameType);

// For game types 1..3, optimal then suggested holds: the numerator and the
// denominator of the return per credit bet, then of each category's chance,
// Nothing first.
inline constexpr size_t kExactFigureCount = size_t{kGameTypes} * 2 * (1 + kCategoryCount);
extern const std::array<std::array<int64_t, 2>, kExactFigureCount> kExactReturnFigures;

}  // namespace brisko
