// SPDX-License-Identifier: GPL-3.0-or-later
// How the player did: the figures of the game in progress and of all the
// games of each game type, fed by the table at the end of each draw, with
// the all-time figures kept in the store under their own key.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/fraction.h"
#include "engine/returns.h"
#include "records/settings.h"
#include "records/statistics_store.h"
#include "table/draw_record.h"
#include "table/events.h"
#include "table/trainer.h"

namespace brisko {

void addDraw(StatFigures& figures, const DrawRecord& record);

// Credits won per 100 credits bet; nothing before the first bet.
std::optional<Fraction> returnPercent(const StatFigures& figures);
// How often a category came, in percent of the draws; nothing before the first.
std::optional<Fraction> categoryPercent(const StatFigures& figures, HandCategory category);

// The words of the draws' spreadsheet; English unless set (the window sets
// those of the player's language).
struct CsvWords {
    CsvWords();
    std::string header = "draw,bet,dealt,holds,final,category,win,double_up,credit";
    std::array<std::string, kCategoryCount> categories;  // kCategoryNames
    std::string quit = "quit", won = "won", tied = "tied", lost = "lost";
};

// The credit expected after a run of draws, and how far from it a player's
// credit is likely to lie: within one deviation about two runs in three,
// within two about nineteen in twenty.
struct CreditForecast {
    double expected = 0;
    double deviation = 0;  // standard deviation
    double low(int32_t deviations) const { return expected - deviations * deviation; }
    double high(int32_t deviations) const { return expected + deviations * deviation; }
};

// After `draws` draws at `bet`, from `credit`, holding as `figures` say (one
// of exactReturns' strategies). The double-up is not counted.
CreditForecast forecastCredit(const GameReturn& figures, int64_t credit, int64_t draws,
                              int32_t bet);
// Along the draws of a game, each at its own bet: point k after the first k
// draws, point 0 the start.
std::vector<CreditForecast> forecastCredits(const GameReturn& figures,
                                            const std::vector<DrawRecord>& draws,
                                            int64_t startCredit = kStartCredit);

// The double-up of a draw for a spreadsheet: "-" without an offer, else the
// offers' outcomes in order, as "won tied quit".
std::string doubleUpText(const std::vector<DoubleUpStep>& steps, const CsvWords& words = {});

// Told of each new game and each settled draw by the game's events.
class Statistics final : public GameListener {
  public:
    // The all-time figures live in `store` under `key` (statisticsKeyOf);
    // the store outlives them.
    Statistics(SettingsStore& store, std::string key) : store_(store), key_(std::move(key)) {}
    // Waits for the save on its way.
    ~Statistics() override;
    Statistics(const Statistics&) = delete;
    Statistics& operator=(const Statistics&) = delete;

    // Reads the all-time figures and the trainer's; true when the figures'
    // key was damaged and they start again from zero (a damaged value of the
    // trainer's costs only itself). Raises the store's error when the store
    // cannot be read (the figures are then zero).
    bool load();

    // The trainer's decisions kept for all games: after each settled draw,
    // the decisions `log` noted since are added to the trainer's figures of
    // their game type, the mistakes among them kept (the newest
    // kKeptMistakes), and saved with the draw's figures. Null: none.
    void followTrainer(TrainerLog* log) { trainerLog_ = log; }

    void onEvent(const GameEvent& event) override;
    void gameStarted(GameType gameType);
    // Counts the draw and saves the all-time figures without waiting for the
    // disk; a refused save is kept for takeSaveError, so that the table never
    // sees it, even when the refusal comes later, from the store's thread.
    void drawEnded(const DrawRecord& record);

    // Clears the all-time figures of every game type, the trainer's with
    // them, and saves them.
    void resetAllTime();

    std::optional<StoreError> takeSaveError();
    // Called when a refused save is kept, on the thread that met it (the
    // store's own, for a save of a draw); it must not call the statistics.
    void setSaveRefusedNotice(std::function<void()> notice);
    // Returns once the last draw's save has landed or been refused.
    void finishSaves() { store_.finishSaves(); }

    GameType gameType() const { return gameType_; }
    // The file (or key) the figures are kept in.
    std::string storeLocation() const { return store_.location(); }
    const StatFigures& game() const { return game_; }
    const std::vector<DrawRecord>& draws() const { return draws_; }
    const AllTimeFigures& allTime() const { return allTime_; }
    const AllTimeTrainer& allTimeTrainer() const { return trainer_; }
    // The trainer's tally of all the games of a game type.
    TrainerTally trainerTally(GameType type) const;
    // The mistakes kept for a game type, oldest first, each with the line of
    // `chart` that plays it right when the chart is of that game type.
    std::vector<Mistake> keptMistakes(GameType type, const StrategyChart* chart = nullptr) const;

  private:
    void takeDecisions();
    void keepSaveError(const StoreError& error);

    SettingsStore& store_;
    std::string key_;
    GameType gameType_ = kDefaultGameType;
    StatFigures game_;
    std::vector<DrawRecord> draws_;
    AllTimeFigures allTime_{};
    AllTimeTrainer trainer_{};
    // The game types whose trainer's figures are in the store: written at
    // every save from the first decision on, and never before.
    std::array<bool, kGameTypes> trainerStored_{};
    TrainerLog* trainerLog_ = nullptr;
    size_t decisionsTaken_ = 0;  // of the log's, in the game in progress
    // A refusal is kept by the thread that met it and taken by the window's.
    std::mutex errorMutex_;
    std::optional<StoreError> saveError_;
    std::function<void()> saveRefused_;
};

// The expected figures of a game type: [0] best play, [1] the suggested cards.
using ExpectedReturns = std::array<GameReturn, 2>;

// The figures in key=value lines, as `brisko-analyze play` prints them: the
// game in progress (with the trainer's tally when there is one), then each
// game type's all-time figures; beside a scope's final hands, the expected
// percentages of its game type where `expected` has them. Last, the
// trainer's figures of all the games of each game type.
void writeStatisticsLines(std::ostream& out, const Statistics& statistics,
                          const std::array<const ExpectedReturns*, kGameTypes>& expected,
                          const TrainerTally* tally);

// The draws of the game in progress, one row a draw, with a header row.
void writeDrawsCsv(std::ostream& out, const std::vector<DrawRecord>& draws,
                   const CsvWords& words = {});

}  // namespace brisko
