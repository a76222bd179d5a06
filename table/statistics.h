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

    // Reads the all-time figures; true when the key was damaged and the
    // statistics start again from zero. Raises the store's error when
    // the store cannot be read (the figures are then zero).
    bool load();

    void onEvent(const GameEvent& event) override;
    void gameStarted(GameType gameType);
    // Counts the draw and saves the all-time figures without waiting for the
    // disk; a refused save is kept for takeSaveError, so that the table never
    // sees it, even when the refusal comes later, from the store's thread.
    void drawEnded(const DrawRecord& record);

    // Clears the all-time figures of every game type and saves them.
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

  private:
    void keepSaveError(const StoreError& error);

    SettingsStore& store_;
    std::string key_;
    GameType gameType_ = kDefaultGameType;
    StatFigures game_;
    std::vector<DrawRecord> draws_;
    AllTimeFigures allTime_{};
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
// percentages of its game type where `expected` has them.
void writeStatisticsLines(std::ostream& out, const Statistics& statistics,
                          const std::array<const ExpectedReturns*, kGameTypes>& expected,
                          const TrainerTally* tally);

// The draws of the game in progress, one row a draw, with a header row.
void writeDrawsCsv(std::ostream& out, const std::vector<DrawRecord>& draws,
                   const CsvWords& words = {});

}  // namespace brisko
