// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/trainer.h"

namespace brisko {

DealAnalysis analyseDeal(const FastEvaluator& evaluator, const Hand& dealt, GameType gameType) {
    DealAnalysis deal{dealt, gameType, holdValues(evaluator, dealt, gameType), 0};
    deal.best = bestHold(deal.values);
    return deal;
}

Verdict judge(const DealAnalysis& deal, HoldMask played, int32_t bet) {
    const Fraction lost = deal.values[deal.best] - deal.values[played];
    return {lost == Fraction(), lost * Fraction(bet, 1)};
}

std::vector<TrainerRow> trainerRows(const DealAnalysis& deal, HoldMask current, int32_t bet,
                                    int32_t count) {
    auto row = [&](HoldMask hold) {
        return TrainerRow{hold, deal.values[hold], deal.values[hold] * Fraction(bet, 1),
                          deal.values[hold] == deal.values[deal.best], hold == current};
    };
    std::vector<TrainerRow> rows;
    bool currentShown = false;
    for (HoldMask hold : rankedHolds(deal.values)) {
        if (static_cast<int32_t>(rows.size()) == count) break;
        rows.push_back(row(hold));
        currentShown = currentShown || hold == current;
    }
    if (!currentShown) rows.push_back(row(current));
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

void TrainerLog::onEvent(const GameEvent& event) {
    if (std::holds_alternative<GameStarted>(event)) {
        decisions_.clear();
        judged_ = 0;
        tally_ = TrainerTally();
        lastIsDrawn_ = false;
    } else if (std::holds_alternative<HandDealt>(event)) {
        lastIsDrawn_ = false;
    } else if (const auto* drawn = std::get_if<HandDrawn>(&event); drawn && counting_) {
        const DrawRecord& r = drawn->record;
        decisions_.push_back({r.drawNumber, r.gameType, r.dealt, r.holds, r.bet, std::nullopt});
        lastIsDrawn_ = true;
    }
}

void TrainerLog::judgeAll() {
    for (; judged_ < decisions_.size(); ++judged_) {
        Decision& d = decisions_[judged_];
        d.verdict = judge(analyst_.analyse(d.dealt, d.gameType), d.held, d.bet);
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

}  // namespace brisko
