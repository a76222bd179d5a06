// SPDX-License-Identifier: GPL-3.0-or-later
// What the game announces as it happens, in order, to any number of
// listeners: the presenter that works out the window, the trainer, the
// statistics, the screen-reader names and the text front end. A listener
// only listens: it changes nothing of the game.
#pragma once

#include <cstdint>
#include <variant>

#include "engine/hand.h"
#include "engine/hold_values.h"
#include "table/draw_record.h"
#include "table/game_state.h"

namespace brisko {

// A new game with its setup; the table is cleared and betting is open.
struct GameStarted {
    GameSetup setup;
};

// A bet button charged the credit; a bet of 20 deals next.
struct BetPlaced {
    enum class Button : int32_t { Plus, Max };
    Button button;
    int32_t bet;
    int32_t credit;
};

// Five cards dealt; `held` are the cards held at once: the suggested cards
// when the suggestion holds them, the best hold with the trainer's option.
// `suggested` is the game's suggestion, held or not. `recharged`: no bet
// button was pressed, the last bet was charged again.
struct HandDealt {
    int32_t drawNumber;
    int32_t bet;
    int32_t credit;
    bool recharged;
    GameType gameType;
    Hand hand;
    HoldMask held;
    HoldMask suggested;
};

// The holds changed: one card clicked (`slot` 1..5), or all at once when the
// suggestion is switched during the hand (`slot` 0); `hand` is on the table.
struct HoldsChanged {
    int32_t slot;
    HoldMask held;
    Hand hand;
};

// The cards not held were replaced and the hand evaluated and paid; the
// offer or the settlement follows.
struct HandDrawn {
    DrawRecord record;  // dealt, holds, final hand, category; win as drawn
    int32_t win;
};

// The win offered to double or quit; the keyboard's focus starts on DOUBLE
// or on QUIT.
struct DoubleUpOffered {
    int32_t win;
    bool focusOnDouble;
};

// Half a second of the offer: the focus moves to the other button.
struct OfferFocusMoved {
    bool onDouble;
};

// QUIT: the win is kept and the draw is settled next.
struct DoubleUpQuit {};

// DOUBLE: the dealer's card face up against four face down.
struct PickStarted {
    int32_t dealerCard;
    int32_t win;
};

// Half a second of the pick: the focus moves to the card of `slot` 2..5.
struct PickFocusMoved {
    int32_t slot;
};

// A face-down card picked: won (win doubled), tied (win kept) or lost.
struct CardPicked {
    int32_t slot;
    DoubleUpStep outcome;
    int32_t win;
};

// Half a second after a lost pick: the other face-down cards are shown.
struct CardsRevealed {};

// The win paid into the credit; `record` is the whole draw.
struct DrawSettled {
    DrawRecord record;
};

// After the settlement: the score shown, the best-score rank it entered (0
// for none), and whether a limited game has just ended.
struct DrawEnded {
    int32_t score;
    int32_t rank;
    bool gameOver;
};

// The eighteen best-score lists made anew.
struct BestScoresRenewed {};

// A practice deal has events of its own, so that what counts the game's
// draws never hears it.

// `hand` dealt again to practise, in the rules of `gameType`, nothing held;
// the bet is the game's, neither charged nor paid. `suggested` as in HandDealt.
struct PracticeDealt {
    GameType gameType;
    int32_t bet;
    Hand hand;
    HoldMask suggested;
};

// A hold of the practice hand changed (`slot` 1..5).
struct PracticeHoldsChanged {
    int32_t slot;
    HoldMask held;
    Hand hand;
};

// The practice hand drawn and evaluated; it pays nothing: `wouldPay` is what
// the hand pays at the bet in the game.
struct PracticeDrawn {
    GameType gameType;
    int32_t bet;
    Hand dealt;
    HoldMask held;
    Hand final;
    HandCategory category;
    int32_t wouldPay;
};

// The practice over: the game where it stood, its own hand on the table again.
struct PracticeEnded {};

using GameEvent =
    std::variant<GameStarted, BetPlaced, HandDealt, HoldsChanged, HandDrawn, DoubleUpOffered,
                 OfferFocusMoved, DoubleUpQuit, PickStarted, PickFocusMoved, CardPicked,
                 CardsRevealed, DrawSettled, DrawEnded, BestScoresRenewed, PracticeDealt,
                 PracticeHoldsChanged, PracticeDrawn, PracticeEnded>;

class GameListener {
  public:
    virtual ~GameListener() = default;
    virtual void onEvent(const GameEvent& event) = 0;
};

// A set of lambdas as one visitor of the events.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace brisko
