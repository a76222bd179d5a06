// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game in progress stands, and the setup it was started with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/game_type.h"
#include "records/settings.h"

namespace brisko {

inline constexpr int32_t kMaxBet = 20;
inline constexpr int32_t kStartCredit = 200;

// Where the game stands between two commands; it alone decides what the
// player may do. It is the one stored record of it: the phase and whether a
// double-up is under way follow from it.
enum class Stage : int32_t {
    GameOver,       // no game under way: before the first, after a limited game's last draw
    Betting,        // between draws: the bet buttons and JOUER
    AwaitingDraw,   // five cards dealt: holds and JOUER
    DoubleUpOffer,  // a win offered to double or quit
    DoubleUpPick,   // the dealer's card against four face down
    // A practice deal, beside the game: it takes no credit, pays nothing and
    // counts nowhere; the game waits where it stood.
    PracticeDraw,   // the practice hand dealt: holds and JOUER
    PracticeShown,  // the practice hand drawn, shown until the game goes on
};

// The three phases the deal button and the card clicks tell apart.
enum class Phase : int32_t { AwaitingDeal = 1, AwaitingDraw = 2, DoubleUpPick = 3 };

constexpr Phase phaseOf(Stage stage) {
    if (stage == Stage::AwaitingDraw || stage == Stage::PracticeDraw) return Phase::AwaitingDraw;
    if (stage == Stage::DoubleUpPick) return Phase::DoubleUpPick;
    return Phase::AwaitingDeal;
}

// A double-or-quit offer or pick is under way.
constexpr bool doubleUpUnderWay(Stage stage) {
    return stage == Stage::DoubleUpOffer || stage == Stage::DoubleUpPick;
}

// A practice deal is on the table.
constexpr bool practising(Stage stage) {
    return stage == Stage::PracticeDraw || stage == Stage::PracticeShown;
}

// The window's four timers; the last three are the table's, their ticks
// commands of the table.
enum class Timer : int32_t { timerDepart, TimerVoirDouble, TimerYesNoDoublage, timerCarteDoublage };

inline constexpr std::array<std::string_view, 4> kTimerNames = {
    "timerDepart", "TimerVoirDouble", "TimerYesNoDoublage", "timerCarteDoublage"};

// The timer's object name on the window, as the play script also writes it.
constexpr std::string_view timerName(Timer timer) {
    return kTimerNames[static_cast<size_t>(timer)];
}

// The player's commands that only some stages take.
enum class TableCommand : int32_t {
    BetPlus,
    BetMax,
    DealOrDraw,
    HoldCard,
    PickCard,
    Double,
    Quit,
    Practise,
};

// What shapes a game's rules, copied from the settings when it starts: a
// choice made later takes effect at the next new game. The options may be
// switched during the game, by their own commands only.
struct GameSetup {
    GameType gameType = kDefaultGameType;
    int32_t targetIndex = 1;  // 1..5 a number of draws, 6 the unlimited game
    bool doubleUpOffered = true;
    bool suggestion = true;
    // The trainer's option: the best hold held after each deal, in place of
    // the suggestion. Not a setting of the game's own: it stays from one game
    // to the next until switched.
    bool holdBest = false;
    std::string playerName;

    bool unlimited() const { return targetIndex == kUnlimitedTarget; }
    // The limited game's number of draws (the index kept within 1..5).
    int32_t targetDraws() const;
};

// The setup a new game takes from the settings; a game type the settings do
// not hold is the default one.
GameSetup setupOf(const Settings& settings);

// The holds live with the hand, in EngineState::held.
struct GameState {
    int32_t credit = 0;  // may go to zero or below
    int32_t bet = 1;     // 1..20
    int32_t lastBet = 1;
    bool betPlacedThisDraw = false;
    int32_t drawNumber = 0;
    Stage stage = Stage::GameOver;
    int32_t win = 0;
    int32_t pickFocusSlot = 2;
    bool offerFocusOnDouble = false;
    bool revealPending = false;  // a lost pick's other cards, shown at the next tick
    int32_t score = 0;           // unlimited game only

    Phase phase() const { return phaseOf(stage); }
    bool doubleUpActive() const { return doubleUpUnderWay(stage); }
};

}  // namespace brisko
