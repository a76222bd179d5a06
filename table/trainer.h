// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer: the exact value of every hold of the hand dealt, the verdict
// on the hold the player draws with, and the tally of a game's decisions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/hold_values.h"
#include "records/statistics_store.h"
#include "table/events.h"

namespace brisko {
struct StrategyChart;
}

namespace brisko {

// One deal as the trainer sees it.
struct DealAnalysis {
    Hand dealt{};
    GameType gameType = GameType::NoJoker;
    std::array<Fraction, kHoldCount> values{};  // expected win per credit bet, by hold
    HoldMask best = 0;                          // the first hold of the advice
    HoldMask suggested = 0;                     // the game's suggestion
};

DealAnalysis analyseDeal(const FastEvaluator& evaluator, const Hand& dealt, GameType gameType);

// The verdict on one decision: the hold drawn with against the best one.
struct Verdict {
    bool bestPlay = false;  // worth as much as the best hold
    Fraction cost;          // expected credits given away at the bet; 0 for a best play
};

Verdict judge(const DealAnalysis& deal, HoldMask played, int32_t bet);

// One row of the trainer's list.
struct TrainerRow {
    HoldMask hold = 0;
    Fraction perCredit;      // expected win per credit bet
    Fraction atBet;          // expected win at the bet, in credits
    bool best = false;       // worth as much as the best hold
    bool current = false;    // the hold the player has now
    bool suggested = false;  // the game's suggestion

    bool operator==(const TrainerRow&) const = default;
};

// What the trainer's list shows after a deal: the hand and its rows.
struct TrainerListing {
    Hand dealt{};
    std::vector<TrainerRow> rows;

    bool operator==(const TrainerListing&) const = default;
};

// The `count` best holds in the advice's order, then the player's current
// hold when it is not among them, then (with `withSuggestion`) the game's
// suggestion when it is not among them either.
std::vector<TrainerRow> trainerRows(const DealAnalysis& deal, HoldMask current, int32_t bet,
                                    int32_t count = 5, bool withSuggestion = false);

// The decisions of a game, or of all the games of a game type.
class TrainerTally {
  public:
    TrainerTally() = default;
    // The tally kept for all the games of a game type.
    explicit TrainerTally(const TrainerFigures& kept)
        : decisions_(kept.decisions), bestPlays_(kept.bestPlays), givenAway_(kept.givenAway) {}

    void add(const Verdict& verdict);
    int64_t decisions() const { return decisions_; }
    int64_t bestPlays() const { return bestPlays_; }
    // The sum of the costs, in credits.
    const Fraction& givenAway() const { return givenAway_; }
    // Best plays in percent; 0 before the first decision.
    Fraction accuracy() const;

  private:
    int64_t decisions_ = 0;
    int64_t bestPlays_ = 0;
    Fraction givenAway_;
};

// The analysis of deals, with the evaluation table built at the first one
// asked for, and the last deal kept.
class DealAnalyst {
  public:
    const FastEvaluator& evaluator();
    const DealAnalysis& analyse(const Hand& dealt, GameType gameType);

  private:
    std::unique_ptr<FastEvaluator> evaluator_;
    std::optional<DealAnalysis> last_;
};

// One decision: the hand dealt and the hold drawn with.
struct Decision {
    int32_t drawNumber = 0;
    GameType gameType = GameType::NoJoker;
    Hand dealt{};
    HoldMask held = 0;
    int32_t bet = 1;
    std::optional<Verdict> verdict;  // once judged
    HoldMask best = 0;               // once judged: the first hold of the advice
};

// The mistake a judged decision was, if it was one.
std::optional<Mistake> mistakeOf(const Decision& decision);

// The line of `chart` that plays the mistake's best hold; 0 without a chart
// of its game type, or when no line fits.
int32_t chartLineOf(const Mistake& mistake, const StrategyChart* chart);

// The decisions of the game in progress, told by the game's events and
// judged against the best holds when the tally is asked for, so that a game
// played without looking costs no analysis. Counts only while `counting`.
class TrainerLog final : public GameListener {
  public:
    explicit TrainerLog(DealAnalyst& analyst, bool counting = true)
        : analyst_(analyst), counting_(counting) {}

    void onEvent(const GameEvent& event) override;
    void setCounting(bool on) { counting_ = on; }

    // Every decision judged.
    const TrainerTally& tally();
    const std::vector<Decision>& decisions();
    // The last draw's decision, judged; none after a deal or a new game.
    const Decision* lastDraw();
    // The decisions that were not best plays, in draw order, each with the
    // line of `chart` that plays it right when the chart is of its game
    // type. No chart is made here: one takes seconds, its owner makes it.
    std::vector<Mistake> mistakes(const StrategyChart* chart = nullptr);
    // The practice deal's decision, judged once drawn; none before its draw
    // or once the game goes on. It counts in no tally.
    const Decision* practiceDraw();

  private:
    void judgeAll();

    DealAnalyst& analyst_;
    bool counting_;
    bool lastIsDrawn_ = false;
    std::vector<Decision> decisions_;
    size_t judged_ = 0;
    TrainerTally tally_;
    std::optional<Decision> practice_;
};

}  // namespace brisko
