// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress: one draw after another on one credit account, with
// the double-or-quit game after a paying draw and the end of the game.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "engine/display.h"
#include "engine/random.h"
#include "engine/texts.h"
#include "records/settings.h"
#include "table/view.h"

namespace brisko {

enum class Phase : int32_t { AwaitingDeal = 1, AwaitingDraw = 2, DoubleUpPick = 3 };

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
    int32_t win = 0;
    std::string resultPrefix;
    bool doubleUpActive = false;
    int32_t pickFocusSlot = 2;
    bool offerFocusOnDouble = false;
    int32_t score = 0;  // unlimited game only
};

// The rules of the table, driven by the window's commands and timer ticks.
// Commands whose control is disabled or hidden on the window do nothing here
// either, so a script or a test can send any command at any time.
class GameTable final : public EngineView, public PlayState {
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

    // Whether the window currently lets the player use a control.
    bool controlEnabled(Control control) const;
    bool controlVisible(Control control) const;

    void refreshPayTable();

    // EngineView
    void ShowCard(int32_t slot) override;
    void setPanelColour(Control panel, Colour colour) override;
    void setResultLine(const std::string& text) override;
    void setResultPrefix(const std::string& prefix) override { state.resultPrefix = prefix; }
    void showHoldLabel(int32_t slot) override;

    // PlayState
    bool awaitingDraw() const override { return state.phase == Phase::AwaitingDraw; }
    bool doubleUpActive() const override { return state.doubleUpActive; }
    void holdSuggestedCards() override;
    void releaseAllHolds() override;

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

    // What the table has told the window, so that commands of controls the
    // player cannot reach are ignored.
    std::bitset<kControlCount> enabled_;
    std::bitset<kControlCount> visible_;
    std::bitset<kTimerNames.size()> runningTimers_;
};

// The unlimited game's score: (credit + 2000) x 100 / (draws + 100), to the
// nearest integer, halves to even.
int32_t unlimitedScore(int32_t credit, int32_t drawNumber);

}  // namespace brisko
