// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's list of holds: for the best holds of the hand dealt and the
// player's current one, the cards held and the expected win at the bet and
// per credit bet, the best and the game's suggestion marked. It shows what it is given and decides
// nothing.
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include "table/trainer.h"
#include "ui/window_texts.h"

namespace brisko {

// The cards of `hold` in `dealt` ("A\u2660 K\u2660"), or "(none)".
QString heldCardsText(const Hand& dealt, HoldMask hold, const WindowTexts& texts);

class TrainerPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TrainerPanel(const WindowTexts& texts, QWidget* parent = nullptr);

    // Shows the rows of a listing, in their order; false when they are
    // shown already, as they are, and nothing was done.
    bool showListing(const TrainerListing& listing);
    // The texts again, after a change of language.
    void retranslate();
    // Whether the game's own suggestion is named on its row: when the game
    // makes one.
    void setMarkSuggestion(bool on);
    // Readies the fonts and the glyphs of the list's text, so that the first
    // listing does not wait for them.
    void warmUp();

    QTableWidget* table() const { return table_; }
    // The cards of `hold` in `dealt` ("A\u2660 K\u2660"), or "(none)".
    QString cardsText(const Hand& dealt, HoldMask hold) const;

  protected:
    // A new font or palette: the cells, which carry their own, are made
    // again at the next listing, even the same one.
    void changeEvent(QEvent* event) override;

  private:
    // The cells of the listing's rows, the view not told.
    void fillRows(const TrainerListing& listing);
    QString figure(const Fraction& value) const;
    QString suggestionMark(const TrainerRow& row) const;

    const WindowTexts& texts_;
    QLabel* title_;
    QTableWidget* table_;
    TrainerListing listing_;
    bool filled_ = false;  // the cells show listing_ in the current texts and font
    bool markSuggestion_ = false;
};

}  // namespace brisko
