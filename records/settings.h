// SPDX-License-Identifier: GPL-3.0-or-later
// The settings that survive from one run to the next, the eighteen best-score
// lists among them, and the operations that load, save and show them.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contract/texts.h"
#include "engine/game_type.h"
#include "engine/random.h"
#include "records/store.h"

namespace brisko {

inline constexpr int32_t kTargets = 6;
inline constexpr int32_t kRanks = 5;
inline constexpr int32_t kUnlimitedTarget = 6;

// Draws per target index 1..6 (entry 0 unused); the unlimited game (6) never
// compares with its 0.
inline constexpr std::array<int32_t, kTargets + 1> kTargetDraws = {0, 50, 100, 200, 500, 1000, 0};

inline constexpr GameType kDefaultGameType = GameType::JokerPossible;

// The invented players of the generated lists, 1..10; index 0 unused.
inline constexpr std::array<std::string_view, 11> defaultNames = {
    "",     "John",    "Albert", "Gaston",  "Edouard", "Philippe",
    "Bill", "Marylin", "Marie",  "Natacha", "Boris"};

// The generated lists: rank 1 lies 1..499 above the base, each further rank
// 1..step below the previous one less the step. `draws` is targetDraws[i].
int32_t defaultHighScoreBase(GameType gameType, int32_t targetIndex, int32_t draws);
// base x 0.125, an exact half rounded to the even neighbour.
int32_t defaultHighScoreStep(int32_t base);

struct HighScoreEntry {
    int32_t points = 0;
    std::string name;
};

// highScores[gameType 1..3][targetIndex 1..6][rank 1..5]; index 0 unused.
using HighScoreList = std::array<HighScoreEntry, kRanks + 1>;
using HighScoreTable = std::array<std::array<HighScoreList, kTargets + 1>, kGameTypes + 1>;

struct Settings {
    uint8_t verif = 0;                    // first-run marker
    uint8_t optionDoublagePropose = 0;    // a win offers double or quits
    uint8_t optionSuggestionCartes = 0;   // hold the suggested cards at once
    uint32_t optionCouleurFondEcran = 0;  // background colour, low byte red
    uint8_t optionBarreInfo = 0;          // show the message line
    GameType gameType{};                  // "niveau", 1..3
    int32_t targetIndex = 0;              // "optionObjectifNbTirages", 1..6
    HighScoreTable highScores{};
    std::string optionYourName;
};

struct StoredValue;

// The key of a product's settings: "Software\Caldimo\BRISKO 99\" for
// "BRISKO 99".
std::string registryKeyOf(std::string_view productTitle);

// The program's settings and best scores, with their store.
class Records {
  public:
    Records(SettingsStore& store, RandomSource& random, const Texts& texts);

    Settings settings;
    // Draws per target index 1..6 (0 for the unlimited game), set by every load.
    std::array<int32_t, kTargets + 1> targetDraws{};
    std::string registryKey = registryKeyOf("BRISKO 99");

    // Reads every value. One that cannot be read (a damaged line, a wrong
    // type or length) costs only itself: the marker counts as set, an option
    // or the name takes the value a reset gives it, a best score or its name
    // drops its entry from its list (the entries below move up, an invented
    // one fills the end). The checks then run on the rest, and the store's
    // copy of what it held is kept before the mended values are written
    // back. What happened is told once a language is chosen, as a StoreError
    // from this load or a later one; the caller shows it and the game goes on.
    void LoadSettings();
    // Writes every value. The error says which file failed, why, and what
    // the game did; a read-only file is told once, then saves do nothing.
    void SaveSettings();
    void ResetSettings();
    bool SettingsValid() const;

    // The change of game: the game type 1..3 and the target index 1..6 (each
    // kept as it is when out of range, as when the dialog has none checked)
    // and the player's name, then saved. The choice is made even when the
    // store refuses the save, whose error is raised afterwards.
    void chooseGame(int32_t gameType, int32_t targetIndex, const std::string& name);

    void MakeDefaultHighScores();
    // Enters a score under `name` into the list of the game type and target
    // and saves; the rank 1..5, or 0 when the score does not enter. With
    // `saveError`, a save the store refuses comes back there instead of being
    // raised, so that the caller can first congratulate the player.
    int32_t InsertHighScore(GameType gameType, int32_t targetIndex, const std::string& name,
                            int32_t score, std::exception_ptr* saveError = nullptr);
    // The same into the list of the chosen game, under the chosen name.
    int32_t InsertHighScore(int32_t score, std::exception_ptr* saveError = nullptr);

    // The list of a game type and target (both in range).
    const HighScoreList& list(GameType gameType, int32_t targetIndex) const;
    HighScoreList& currentList();

  private:
    enum class Read { Present, Absent, Unreadable };
    Read readValue(const StoredValue& value);
    bool valid() const;
    // Drops the entries marked in `unread` from their lists, keeping the rest
    // in order, and fills each list's end from a generated table.
    void dropEntries(const std::vector<bool>& unread, StoreProblem& report);
    void generateHighScores(HighScoreTable& table);
    // The save, after keeping the store's copy when a load asked for one.
    void save();
    StoreError inLanguage(const StoreError& error) const;
    // A report of damage from the store, merged into the one to tell.
    void noteDamage(const StoreProblem& notice);
    // The report, added to `message` once a language is chosen.
    void tellReport(std::string& message);

    // What the last loads found and did, until told.
    std::optional<StoreProblem> report_;
    // The store's types errors, the first lines of the report.
    std::vector<std::string> reportLines_;
    // A save must keep the store's copy first: values could not be read.
    bool copyPending_ = false;
    bool readOnlyTold_ = false;
    // Set while a load mends: its report is told at its end, in one piece.
    bool holdReport_ = false;

    SettingsStore& store_;
    RandomSource& random_;
    const Texts& texts_;
};

}  // namespace brisko
