// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's list of holds: for the best holds of the hand dealt and the
// player's current one, the cards held and the expected win at the bet and
// per credit bet, the best marked. It shows what it is given and decides
// nothing.
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include "table/trainer.h"
#include "ui/window_texts.h"

namespace brisko {

class TrainerPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TrainerPanel(const WindowTexts& texts, QWidget* parent = nullptr);

    // Shows the rows of a listing, in their order.
    void showListing(const TrainerListing& listing);
    // The texts again, after a change of language.
    void retranslate();

    QTableWidget* table() const { return table_; }
    // The cards of `hold` in `dealt` ("A\u2660 K\u2660"), or "(none)".
    QString cardsText(const Hand& dealt, HoldMask hold) const;

  private:
    QString figure(const Fraction& value) const;

    const WindowTexts& texts_;
    QLabel* title_;
    QTableWidget* table_;
    TrainerListing listing_;
};

}  // namespace brisko
