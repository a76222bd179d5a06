// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows, worked out from the game's events: captions,
// visibility, enabled state, focus, colours, the cards and the timers. The
// window only does what the presenter tells it, so every screen of the game
// is tested without a window. The presenter keeps what it last showed, for
// the screen-reader names and the text front end.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

#include "contract/texts.h"
#include "engine/hand.h"
#include "records/settings.h"
#include "table/events.h"
#include "table/game.h"
#include "table/view.h"

namespace brisko {

// What the presenter has shown so far; nothing where it told nothing.
struct TableModel {
    std::array<std::optional<std::string>, kControlCount> captions{};
    std::array<std::optional<bool>, kControlCount> visible{};
    std::array<std::optional<bool>, kControlCount> enabled{};
    std::array<std::optional<Colour>, kControlCount> colours{};
    std::optional<Control> focus;
    std::array<bool, kSlots + 1> faceUp{};  // by slot 1..5: the card's frame is shown
    std::string resultPrefix;               // carried in front of the next message line

    // The caption last given, or nothing when the presenter gave none.
    const std::optional<std::string>& caption(Control control) const {
        return captions[static_cast<size_t>(indexOf(control))];
    }
};

class TablePresenter final : public GameListener {
  public:
    TablePresenter(const GameTable& table, const Records& records, const Texts& texts,
                   TableView& view)
        : table_(table), records_(records), texts_(texts), view_(view) {}

    void onEvent(const GameEvent& event) override;
    const TableModel& shown() const { return model_; }

  private:
    void started(const GameSetup& setup);
    void betPlaced(const BetPlaced& bet);
    void dealt(const HandDealt& deal);
    void holdsChanged(const HoldsChanged& holds);
    void drawn(const HandDrawn& draw);
    void offered(const DoubleUpOffered& offer);
    void quit();
    void pickStarted();
    void picked(const CardPicked& pick);
    void revealed();
    void settled();
    void ended(const DrawEnded& end);
    void practiceDealt();
    void practiceDrawn(const PracticeDrawn& draw);
    // The table as it was before the practice deal.
    void practiceEnded();

    // The first steps of JOUER, at a deal and at a draw alike.
    void dealButtonPressed();
    void refreshPayTable();
    // The current best-score list; row `highlight` 1..5 red, or every row in
    // its own colour for 0.
    void showHighScores(int32_t highlight);
    void showBestScore(int32_t rank, int32_t score);
    // The message line: the result prefix, one blank, then the text.
    void setResultLine(const std::string& text);
    // The paying row red and the hand named, or the loss as the next prefix.
    void showCategory(HandCategory category);
    void showCard(int32_t slot);
    void enableBetting(bool enabled);

    void caption(Control control, const std::string& text);
    void show(Control control, bool visible);
    void enable(Control control, bool enabled);
    void focus(Control control);
    void colour(Control control, Colour colour);
    // During a practice deal: the control is to be put back as it was.
    void touch(Control control);

    const GameTable& table_;
    const Records& records_;
    const Texts& texts_;
    TableView& view_;
    TableModel model_;
    // What the table showed when the practice deal came, and what the
    // practice deal changed since.
    std::optional<TableModel> beforePractice_;
    std::bitset<kControlCount> practiceTouched_;
    bool focusTouched_ = false;
};

}  // namespace brisko
