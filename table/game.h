// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress: one draw after another on one credit account, with
// the double-or-quit game after a paying draw and the end of the game.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "contract/display.h"
#include "contract/texts.h"
#include "engine/random.h"
#include "records/settings.h"
#include "table/draw_record.h"
#include "table/view.h"

namespace brisko {

enum class Phase : int32_t { AwaitingDeal = 1, AwaitingDraw = 2, DoubleUpPick = 3 };

// Where the game stands between two commands; it alone decides what the
// player may do (allows) and the window shows what follows from it.
enum class Stage : int32_t {
    GameOver,       // no game under way: before the first, after a limited game's last draw
    Betting,        // between draws: the bet buttons and JOUER
    AwaitingDraw,   // five cards dealt: holds and JOUER
    DoubleUpOffer,  // a win offered to double or quit
    DoubleUpPick,   // the dealer's card against four face down
};

// The player's commands that only some stages take.
enum class TableCommand : int32_t { BetPlus, BetMax, DealOrDraw, HoldCard, PickCard, Double, Quit };

inline constexpr int32_t kMaxBet = 20;
inline constexpr int32_t kStartCredit = 200;

// The holds live with the hand, in EngineState::held.
struct GameState {
    int32_t credit = 0;  // may go to zero or below
    int32_t bet = 1;     // 1..20
    int32_t lastBet = 1;
    bool betPlacedThisDraw = false;
    int32_t drawNumber = 0;
    Phase phase = Phase::AwaitingDeal;
    Stage stage = Stage::GameOver;
    int32_t win = 0;
    std::string resultPrefix;
    bool doubleUpActive = false;
    int32_t pickFocusSlot = 2;
    bool offerFocusOnDouble = false;
    int32_t score = 0;  // unlimited game only
};

// The rules of the table, driven by the window's commands and timer ticks.
// A command the stage does not allow does nothing, so a script or a test can
// send any command at any time; the window disables or hides its control.
class GameTable final : public EngineView {
  public:
    GameTable(const Clock& clock, EngineState& cards, Records& records, const Texts& texts,
              TableView& view)
        : clock_(clock), cards_(cards), records_(records), texts_(texts), view_(view) {}

    GameState state;

    // The chosen game type; the default one while the settings hold none.
    GameType gameType() const;
    int32_t targetIndex() const { return records_.settings.targetIndex; }
    bool suggestionOptionOn() const { return records_.settings.optionSuggestionCartes != 0; }
    bool doubleUpOptionOn() const { return records_.settings.optionDoublagePropose != 0; }

    // The player's commands.
    void startNewGame();
    void betPlus();     // ButtonEncore: MISE + / MISE 1
    void betMax();      // ButtonMiseMax: MISE 20
    void dealOrDraw();  // ButtonTirage: JOUER
    void clickCard(int32_t slot);
    void ButtonYesDoubleClick();
    void ButtonNoDoubleClick();

    // Timer ticks; a tick of a timer that is not running does nothing.
    void TimerYesNoDoublageTimer();
    void timerCarteDoublageTimer();
    void TimerVoirDoubleTimer();
    bool timerRunning(Timer timer) const;

    // Whether the game's stage takes the command now.
    bool allows(TableCommand command) const;

    void refreshPayTable();

    // The statistics' listener, told of each new game and each draw's end;
    // none by default. It changes nothing of the game.
    void setDrawObserver(DrawObserver* observer) { observer_ = observer; }

    // EngineView
    void ShowCard(int32_t slot) override;
    void setPanelColour(Control panel, Colour colour) override;
    void setResultLine(const std::string& text) override;
    void setResultPrefix(const std::string& prefix) override { state.resultPrefix = prefix; }
    void showHoldLabel(int32_t slot) override;

    // The hold suggestion switched on or off: before the draw, the marked
    // slots are held, or all five released.
    void suggestionSwitched(bool on);

  private:
    void deal();
    void draw();
    void runDealOrDraw();
    void settleDraw();
    void endOfDraw();
    void offerDoubleUp();
    void setUpDoubleUp();
    void pick(int32_t slot);
    void addToCredit(int64_t amount);
    void holdSuggestedCards();
    void releaseAllHolds();

    // The rank of a score offered to the best scores, on panelBravoHighScore.
    void showBestScore(int32_t rank, int32_t score);

    void caption(Control control, const std::string& text);
    void show(Control control, bool visible);
    void enable(Control control, bool enabled);
    void enableBetting(bool enabled);
    void startTimer(Timer timer);
    void stopTimer(Timer timer);
    void stopAllTimers();

    const Clock& clock_;
    EngineState& cards_;
    Records& records_;
    const Texts& texts_;
    TableView& view_;

    std::bitset<kTimerNames.size()> runningTimers_;
    DrawObserver* observer_ = nullptr;
    DrawRecord record_;  // the draw under way, for the observer
};

// The unlimited game's score: (credit + 2000) x 100 / (draws + 100), to the
// nearest integer, halves to even.
int32_t unlimitedScore(int32_t credit, int32_t drawNumber);

}  // namespace brisko
