// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress: one draw after another on one credit account, with
// the double-or-quit game after a paying draw and the end of the game. The
// rules alone: what the window shows follows from the events they announce.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/hand.h"
#include "engine/random.h"
#include "records/settings.h"
#include "table/draw_record.h"
#include "table/events.h"
#include "table/game_state.h"

namespace brisko {

// The table's rules, driven by the player's commands and the timers' ticks.
// A command the stage does not allow does nothing, so a script or a test can
// send any command at any time; the window disables or hides its control.
class GameTable final {
  public:
    GameTable(const Clock& clock, EngineState& cards, Records& records)
        : clock_(clock), cards_(cards), records_(records) {}
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    GameState state;

    // The setup of the game under way (or of the last one).
    const GameSetup& setup() const { return setup_; }
    GameType gameType() const { return setup_.gameType; }
    const EngineState& cards() const { return cards_; }

    // Listeners hear every event, in the order they were added.
    void listen(GameListener& listener) { listeners_.push_back(&listener); }
    void stopListening(const GameListener& listener);

    // The player's commands.
    void startNewGame();  // with the setup the settings hold now
    void betPlus();       // ButtonEncore: MISE + / MISE 1
    void betMax();        // ButtonMiseMax: MISE 20
    void dealOrDraw();    // ButtonTirage: JOUER
    void clickCard(int32_t slot);
    void ButtonYesDoubleClick();
    void ButtonNoDoubleClick();

    // Timer ticks; a tick of a timer that is not running does nothing.
    void TimerYesNoDoublageTimer();
    void timerCarteDoublageTimer();
    void TimerVoirDoubleTimer();
    bool timerRunning(Timer timer) const;

    // The options of the game under way, switched from the menu. The
    // suggestion switched before the draw holds the marked cards or releases
    // all five. Switching the double-up off is refused (false) while one is
    // under way.
    void setSuggestion(bool on);
    bool setDoubleUpOffered(bool on);
    // The trainer's option: the best hold held after each deal in place of
    // the suggestion, from the next deal on.
    void setHoldBest(bool on);

    // A practice deal: `hand` dealt again for the player to hold (clickCard)
    // and draw (dealOrDraw) in the rules of `gameType`. It takes no credit,
    // pays nothing and counts nowhere: the game's credit, bet, draw number,
    // random source, hand and holds are as they were once it ends. Betting
    // and a finished game take one, and a practice deal replaces another;
    // false when refused, or for a hand the game type never deals.
    bool practise(const Hand& hand, GameType gameType);
    // Back to the game from a practice deal, drawn or not. After the draw,
    // JOUER and the bet buttons, when the game takes them, end it too and
    // then do what they do; a new game ends it first.
    void endPractice();
    // The game type of the practice deal on the table, if any.
    std::optional<GameType> practiceGameType() const;

    // The eighteen best-score lists made anew and saved; a refused save is
    // raised once the lists are shown.
    void renewBestScores();

    // Whether the game's stage takes the command now.
    bool allows(TableCommand command) const;

    // Empty when the state holds together; otherwise what does not. Checked
    // after every command in builds with BRISKO_CHECK_STATE.
    std::string inconsistency() const;

  private:
    friend class CommandCheck;

    // What a practice deal puts aside, to put back when it ends.
    struct Practice {
        GameType gameType;
        Stage resume;        // Betting or GameOver
        bool revealPending;  // a lost pick's cards still to show
        EngineState cards;   // the hand, holds and random source
    };

    void announce(const GameEvent& event);
    void drawPractice();
    // Ends a practice deal, if one is on the table.
    void leavePractice();
    void deal();
    void draw();
    void runDealOrDraw();
    void settleDraw();
    void endOfDraw();
    void offerDoubleUp();
    void setUpDoubleUp();
    void pick(int32_t slot);
    void addToCredit(int64_t amount);

    const Clock& clock_;
    EngineState& cards_;
    Records& records_;
    GameSetup setup_;
    std::vector<GameListener*> listeners_;
    DrawRecord record_;  // the draw under way
    std::optional<Practice> practice_;
};

// The unlimited game's score: (credit + 2000) x 100 / (draws + 100), to the
// nearest integer, halves to even.
int32_t unlimitedScore(int32_t credit, int32_t drawNumber);

}  // namespace brisko
