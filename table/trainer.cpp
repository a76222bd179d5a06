// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/trainer.h"

#include "engine/strategy.h"

namespace brisko {

DealAnalysis analyseDeal(const FastEvaluator& evaluator, const Hand& dealt, GameType gameType) {
    DealAnalysis deal{dealt, gameType, holdValues(evaluator, dealt, gameType), 0, 0};
    deal.best = bestHold(deal.values);
    deal.suggested = suggestedHold(evaluator, dealt);
    return deal;
}

Verdict judge(const DealAnalysis& deal, HoldMask played, int32_t bet) {
    const Fraction lost = deal.values[deal.best] - deal.values[played];
    return {lost == Fraction(), lost * Fraction(bet, 1)};
}

std::vector<TrainerRow> trainerRows(const DealAnalysis& deal, HoldMask current, int32_t bet,
                                    int32_t count, bool withSuggestion) {
    auto row = [&](HoldMask hold) {
        return TrainerRow{hold,
                          deal.values[hold],
                          deal.values[hold] * Fraction(bet, 1),
                          deal.values[hold] == deal.values[deal.best],
                          hold == current,
                          hold == deal.suggested};
    };
    std::vector<TrainerRow> rows;
    bool currentShown = false;
    bool suggestedShown = false;
    for (HoldMask hold : rankedHolds(deal.values)) {
        if (static_cast<int32_t>(rows.size()) == count) break;
        rows.push_back(row(hold));
        currentShown = currentShown || hold == current;
        suggestedShown = suggestedShown || hold == deal.suggested;
    }
    if (!currentShown) rows.push_back(row(current));
    if (withSuggestion && !suggestedShown && deal.suggested != current) {
        rows.push_back(row(deal.suggested));
    }
    return rows;
}

void TrainerTally::add(const Verdict& verdict) {
    ++decisions_;
    bestPlays_ += verdict.bestPlay ? 1 : 0;
    givenAway_ = givenAway_ + verdict.cost;
}

Fraction TrainerTally::accuracy() const {
    return decisions_ == 0 ? Fraction() : Fraction(100 * Int128{bestPlays_}, decisions_);
}

const FastEvaluator& DealAnalyst::evaluator() {
    if (!evaluator_) evaluator_ = std::make_unique<FastEvaluator>();
    return *evaluator_;
}

const DealAnalysis& DealAnalyst::analyse(const Hand& dealt, GameType gameType) {
    if (!last_ || last_->dealt != dealt || last_->gameType != gameType) {
        last_ = analyseDeal(evaluator(), dealt, gameType);
    }
    return *last_;
}

std::optional<Mistake> mistakeOf(const Decision& d) {
    if (!d.verdict || d.verdict->bestPlay) return std::nullopt;
    Mistake m;
    m.gameType = d.gameType;
    m.drawNumber = d.drawNumber;
    m.dealt = d.dealt;
    m.held = d.held;
    m.best = d.best;
    m.bet = d.bet;
    m.cost = d.verdict->cost;
    return m;
}

int32_t chartLineOf(const Mistake& mistake, const StrategyChart* chart) {
    if (!chart || chart->gameType != mistake.gameType) return 0;
    return chart->lineOf(mistake.dealt, mistake.best);
}

void TrainerLog::onEvent(const GameEvent& event) {
    if (std::holds_alternative<GameStarted>(event)) {
        decisions_.clear();
        judged_ = 0;
        tally_ = TrainerTally();
        lastIsDrawn_ = false;
        practice_.reset();
    } else if (std::holds_alternative<HandDealt>(event)) {
        lastIsDrawn_ = false;
    } else if (const auto* drawn = std::get_if<HandDrawn>(&event); drawn && counting_) {
        const DrawRecord& r = drawn->record;
        decisions_.push_back({r.drawNumber, r.gameType, r.dealt, r.holds, r.bet, std::nullopt, 0});
        lastIsDrawn_ = true;
    } else if (const auto* practised = std::get_if<PracticeDrawn>(&event)) {
        practice_ = Decision{
            0, practised->gameType, practised->dealt, practised->held, practised->bet, std::nullopt,
            0};
    } else if (std::holds_alternative<PracticeDealt>(event) ||
               std::holds_alternative<PracticeEnded>(event)) {
        practice_.reset();
    }
}

void TrainerLog::judgeAll() {
    for (; judged_ < decisions_.size(); ++judged_) {
        Decision& d = decisions_[judged_];
        const DealAnalysis& deal = analyst_.analyse(d.dealt, d.gameType);
        d.verdict = judge(deal, d.held, d.bet);
        d.best = deal.best;
        tally_.add(*d.verdict);
    }
}

const TrainerTally& TrainerLog::tally() {
    judgeAll();
    return tally_;
}

const std::vector<Decision>& TrainerLog::decisions() {
    judgeAll();
    return decisions_;
}

const Decision* TrainerLog::lastDraw() {
    judgeAll();
    return lastIsDrawn_ && !decisions_.empty() ? &decisions_.back() : nullptr;
}

std::vector<Mistake> TrainerLog::mistakes(const StrategyChart* chart) {
    judgeAll();
    std::vector<Mistake> out;
    for (const Decision& d : decisions_) {
        if (d.verdict->bestPlay) continue;
        std::optional<Mistake> m = mistakeOf(d);
        m->chartLine = chartLineOf(*m, chart);
        out.push_back(*m);
    }
    return out;
}

const Decision* TrainerLog::practiceDraw() {
    if (!practice_) return nullptr;
    if (!practice_->verdict) {
        const DealAnalysis& deal = analyst_.analyse(practice_->dealt, practice_->gameType);
        practice_->verdict = judge(deal, practice_->held, practice_->bet);
        practice_->best = deal.best;
    }
    return &*practice_;
}

}  // namespace brisko
