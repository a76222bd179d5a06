// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/statistics.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace brisko {

void addDraw(StatFigures& f, const DrawRecord& r) {
    f.draws += 1;
    f.bet += r.bet;
    f.won += r.win;
    f.categories[static_cast<size_t>(r.category)] += 1;
    for (DoubleUpStep step : r.doubleUp) {
        f.doubleOffered += 1;
        if (step == DoubleUpStep::Quit) continue;
        f.doubleTaken += 1;
        if (step == DoubleUpStep::Won) f.doubleWon += 1;
        if (step == DoubleUpStep::Tied) f.doubleTied += 1;
        if (step == DoubleUpStep::Lost) f.doubleLost += 1;
    }
    f.largestDoubleWin = std::max<int64_t>(f.largestDoubleWin, r.largestDoubleWin);
}

std::optional<Fraction> returnPercent(const StatFigures& f) {
    if (f.bet <= 0) return std::nullopt;
    return Fraction(Int128{f.won} * 100, Int128{f.bet});
}

std::optional<Fraction> categoryPercent(const StatFigures& f, HandCategory category) {
    if (f.draws <= 0) return std::nullopt;
    return Fraction(Int128{f.categories[static_cast<size_t>(category)]} * 100, Int128{f.draws});
}

CreditForecast forecastCredit(const GameReturn& figures, int64_t credit, int64_t draws,
                              int32_t bet) {
    const double perCredit = static_cast<double>(figures.perCredit.value());
    const double staked = static_cast<double>(draws) * bet;
    return {static_cast<double>(credit) + staked * (perCredit - 1),
            figures.standardDeviation * bet * std::sqrt(static_cast<double>(draws))};
}

std::vector<CreditForecast> forecastCredits(const GameReturn& figures,
                                            const std::vector<DrawRecord>& draws,
                                            int64_t startCredit) {
    const double perCredit = static_cast<double>(figures.perCredit.value());
    const double spread = figures.standardDeviation * figures.standardDeviation;
    std::vector<CreditForecast> out;
    out.reserve(draws.size() + 1);
    double expected = static_cast<double>(startCredit);
    double variance = 0;
    out.push_back({expected, 0});
    for (const DrawRecord& r : draws) {
        expected += r.bet * (perCredit - 1);
        variance += static_cast<double>(r.bet) * r.bet * spread;
        out.push_back({expected, std::sqrt(variance)});
    }
    return out;
}

std::string doubleUpText(const std::vector<DoubleUpStep>& steps, const CsvWords& words) {
    if (steps.empty()) return "-";
    std::string out;
    for (DoubleUpStep step : steps) {
        if (!out.empty()) out += ' ';
        out += step == DoubleUpStep::Quit   ? words.quit
               : step == DoubleUpStep::Won  ? words.won
               : step == DoubleUpStep::Tied ? words.tied
                                            : words.lost;
    }
    return out;
}

CsvWords::CsvWords() {
    for (size_t c = 0; c < categories.size(); ++c) categories[c] = kCategoryNames[c];
}

Statistics::~Statistics() {
    // A refusal still on its way would reach a statistics gone.
    store_.finishSaves();
}

bool Statistics::load() {
    bool damaged = false;
    allTime_ = {};
    trainer_ = {};
    trainerStored_ = {};
    allTime_ = loadStatistics(store_, key_, &damaged);
    trainer_ = loadTrainerFigures(store_, key_, &trainerStored_);
    if (damaged) {
        // Only the statistics start again; the game's key is not touched.
        try {
            saveStatistics(store_, key_, allTime_, GameType{1}, &trainer_, trainerStored_);
        } catch (const StoreError& e) {
            const std::lock_guard lock(errorMutex_);
            saveError_ = e;
        }
    }
    return damaged;
}

void Statistics::onEvent(const GameEvent& event) {
    if (const auto* started = std::get_if<GameStarted>(&event)) {
        gameStarted(started->setup.gameType);
    } else if (const auto* settled = std::get_if<DrawSettled>(&event)) {
        drawEnded(settled->record);
    }
}

void Statistics::gameStarted(GameType gameType) {
    gameType_ = gameType;
    game_ = {};
    draws_.clear();
    decisionsTaken_ = 0;
}

void Statistics::drawEnded(const DrawRecord& record) {
    gameType_ = record.gameType;
    addDraw(game_, record);
    draws_.push_back(record);
    addDraw(allTime_[static_cast<size_t>(number(record.gameType) - 1)], record);
    takeDecisions();
    try {
        saveStatisticsInBackground(store_, key_, allTime_, record.gameType, &trainer_,
                                   trainerStored_,
                                   [this](const StoreError& e) { keepSaveError(e); });
    } catch (const StoreError& e) {
        keepSaveError(e);
    }
}

void Statistics::takeDecisions() {
    if (!trainerLog_) return;
    const std::vector<Decision>& decisions = trainerLog_->decisions();
    decisionsTaken_ = std::min(decisionsTaken_, decisions.size());
    for (; decisionsTaken_ < decisions.size(); ++decisionsTaken_) {
        const Decision& d = decisions[decisionsTaken_];
        const auto t = static_cast<size_t>(number(d.gameType) - 1);
        TrainerFigures& f = trainer_[t];
        f.decisions += 1;
        f.bestPlays += d.verdict->bestPlay ? 1 : 0;
        f.givenAway = f.givenAway + d.verdict->cost;
        if (std::optional<Mistake> mistake = mistakeOf(d)) {
            f.mistakes.push_back(*mistake);
            if (f.mistakes.size() > kKeptMistakes) f.mistakes.erase(f.mistakes.begin());
        }
        trainerStored_[t] = true;
    }
}

void Statistics::keepSaveError(const StoreError& error) {
    // A file the player made read-only is said once, by the settings.
    if (error.problem() && error.problem()->kind == StoreProblem::Kind::ReadOnly) return;
    const std::lock_guard lock(errorMutex_);
    saveError_ = error;
    if (saveRefused_) saveRefused_();
}

void Statistics::setSaveRefusedNotice(std::function<void()> notice) {
    const std::lock_guard lock(errorMutex_);
    saveRefused_ = std::move(notice);
}

void Statistics::resetAllTime() {
    allTime_ = {};
    trainer_ = {};
    saveStatistics(store_, key_, allTime_, GameType{1}, &trainer_, trainerStored_);
}

TrainerTally Statistics::trainerTally(GameType type) const {
    return TrainerTally(trainer_[static_cast<size_t>(number(type) - 1)]);
}

std::vector<Mistake> Statistics::keptMistakes(GameType type, const StrategyChart* chart) const {
    std::vector<Mistake> out = trainer_[static_cast<size_t>(number(type) - 1)].mistakes;
    for (Mistake& m : out) m.chartLine = chartLineOf(m, chart);
    return out;
}

std::optional<StoreError> Statistics::takeSaveError() {
    const std::lock_guard lock(errorMutex_);
    std::optional<StoreError> error = std::move(saveError_);
    saveError_.reset();
    return error;
}

namespace {

std::string keyName(const char* name) {
    std::string out;
    for (const char* c = name; *c; ++c) {
        out += *c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return out;
}

std::string percentText(const std::optional<Fraction>& value, int32_t places) {
    return value ? value->rounded(places) : "-";
}

void writeScope(std::ostream& out, const std::string& prefix, const StatFigures& f,
                const ExpectedReturns* expected) {
    out << prefix << "draws=" << f.draws << '\n'
        << prefix << "bet=" << f.bet << '\n'
        << prefix << "won=" << f.won << '\n'
        << prefix << "return=" << percentText(returnPercent(f), 2) << '\n';
    if (expected) {
        out << prefix << "return.best=" << ((*expected)[0].perCredit * Fraction(100, 1)).rounded(2)
            << '\n'
            << prefix
            << "return.suggested=" << ((*expected)[1].perCredit * Fraction(100, 1)).rounded(2)
            << '\n';
    }
    for (int32_t c = 0; c < kCategoryCount; ++c) {
        const std::string name = prefix + "hand." + keyName(kCategoryNames[c]);
        out << name << '=' << f.categories[c] << '\n'
            << name << ".percent=" << percentText(categoryPercent(f, HandCategory(c)), 2) << '\n';
        if (!expected) continue;
        out << name << ".best=" << ((*expected)[0].categories[c] * Fraction(100, 1)).rounded(6)
            << '\n'
            << name << ".suggested=" << ((*expected)[1].categories[c] * Fraction(100, 1)).rounded(6)
            << '\n';
    }
    out << prefix << "double.offered=" << f.doubleOffered << '\n'
        << prefix << "double.taken=" << f.doubleTaken << '\n'
        << prefix << "double.won=" << f.doubleWon << '\n'
        << prefix << "double.tied=" << f.doubleTied << '\n'
        << prefix << "double.lost=" << f.doubleLost << '\n'
        << prefix << "double.largest_win=" << f.largestDoubleWin << '\n';
}

void writeTally(std::ostream& out, const std::string& prefix, const TrainerTally& tally) {
    out << prefix << "decisions=" << tally.decisions() << '\n'
        << prefix << "best=" << tally.bestPlays() << '\n'
        << prefix << "accuracy=" << (tally.decisions() == 0 ? "-" : tally.accuracy().rounded(2))
        << '\n'
        << prefix << "given_away=" << tally.givenAway().exact() << '\n';
}

}  // namespace

void writeStatisticsLines(std::ostream& out, const Statistics& statistics,
                          const std::array<const ExpectedReturns*, kGameTypes>& expected,
                          const TrainerTally* tally) {
    const int32_t type = number(statistics.gameType());
    out << "game.type=" << type << '\n';
    writeScope(out, "game.", statistics.game(), expected[static_cast<size_t>(type - 1)]);
    if (tally) writeTally(out, "game.trainer.", *tally);
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        const auto k = static_cast<size_t>(t - 1);
        writeScope(out, "all." + std::to_string(t) + '.', statistics.allTime()[k], expected[k]);
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        const auto type = static_cast<GameType>(t);
        writeTally(out, "all." + std::to_string(t) + ".trainer.", statistics.trainerTally(type));
        out << "all." << t << ".trainer.mistakes="
            << statistics.allTimeTrainer()[static_cast<size_t>(t - 1)].mistakes.size() << '\n';
    }
}

void writeDrawsCsv(std::ostream& out, const std::vector<DrawRecord>& draws, const CsvWords& words) {
    auto hand = [](const Hand& h) {
        std::string s;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (k > 1) s += ' ';
            s += cardName(h[k]);
        }
        return s;
    };
    out << words.header << "\r\n";
    for (const DrawRecord& r : draws) {
        std::string holds;  // the slots held, "1 4"; "-" for none
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!holdsSlot(r.holds, k)) continue;
            if (!holds.empty()) holds += ' ';
            holds += static_cast<char>('0' + k);
        }
        if (holds.empty()) holds.push_back('-');
        out << r.drawNumber << ',' << r.bet << ',' << hand(r.dealt) << ',' << holds << ','
            << hand(r.final) << ',' << words.categories[static_cast<size_t>(r.category)] << ','
            << r.win << ',' << doubleUpText(r.doubleUp, words) << ',' << r.credit << "\r\n";
    }
}

}  // namespace brisko
