// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trainer_panel.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/figures.h"

namespace brisko {

namespace {

constexpr int kColumns = 3;  // cards held, expected win at the bet, per credit

// Spades, hearts, clubs, diamonds.
constexpr char16_t kSuitSymbols[] = {u'\u2660', u'\u2665', u'\u2663', u'\u2666'};

}  // namespace

TrainerPanel::TrainerPanel(const WindowTexts& texts, QWidget* parent)
    : QWidget(parent),
      texts_(texts),
      title_(new QLabel(this)),
      table_(new QTableWidget(0, kColumns, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(table_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    retranslate();
}

void TrainerPanel::retranslate() {
    title_->setText(q(texts_[WindowTxt::txtTrainer]));
    table_->setHorizontalHeaderLabels({q(texts_[WindowTxt::txtTrainerCards]),
                                       q(texts_[WindowTxt::txtTrainerWin]),
                                       q(texts_[WindowTxt::txtTrainerPerCredit])});
    table_->setAccessibleName(q(texts_[WindowTxt::txtTrainer]));
    showListing(listing_);
}

QString TrainerPanel::cardsText(const Hand& dealt, HoldMask hold) const {
    return heldCardsText(dealt, hold, texts_);
}

QString heldCardsText(const Hand& dealt, HoldMask hold, const WindowTexts& texts) {
    const QString courts = q(texts[WindowTxt::txtTrainerCourtCards]);
    QStringList cards;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!holdsSlot(hold, k)) continue;
        const card& c = cardTable[dealt[k]];
        if (c.suit == kJokerSuit) {
            cards << q(texts[WindowTxt::txtTrainerJoker]);
            continue;
        }
        const QString rank = c.rank == 14   ? QStringLiteral("A")
                             : c.rank >= 11 ? QString(courts.at(c.rank - 11))
                                            : QString::number(c.rank);
        cards << rank + QChar(kSuitSymbols[c.suit - 1]);
    }
    return cards.isEmpty() ? q(texts[WindowTxt::txtTrainerNoCard]) : cards.join(' ');
}

// The game's own suggestion, on a line of its own under its cards.
QString TrainerPanel::suggestionMark(const TrainerRow& row) const {
    return row.suggested && markSuggestion_
               ? "\n(" + q(texts_[WindowTxt::txtTrainerSuggested]) + ')'
               : QString();
}

QString TrainerPanel::figure(const Fraction& value) const {
    return decimal(value, 2, texts_);
}

void TrainerPanel::showListing(const TrainerListing& listing) {
    listing_ = listing;
    table_->setRowCount(static_cast<int>(listing.rows.size()));
    fillRows(listing);
    // The view hears of the new cells once, not cell by cell: each change
    // would have it measure every column again.
    QAbstractItemModel* model = table_->model();
    if (table_->rowCount() > 0) {
        emit model->dataChanged(model->index(0, 0),
                                model->index(table_->rowCount() - 1, kColumns - 1));
    }
}

void TrainerPanel::fillRows(const TrainerListing& listing) {
    const QSignalBlocker quiet(table_->model());
    for (int row = 0; row < table_->rowCount(); ++row) {
        const TrainerRow& r = listing.rows[static_cast<size_t>(row)];
        const QString cards = cardsText(listing.dealt, r.hold);
        const QString atBet = figure(r.atBet);
        const QString perCredit = figure(r.perCredit);
        const QStringList cells{
            (r.best ? QStringLiteral("\u2605 ") : QString()) + cards + suggestionMark(r), atBet,
            perCredit};
        // What a screen reader says for any cell of the row.
        QStringList said;
        if (r.best) said << q(texts_[WindowTxt::txtTrainerBest]);
        if (r.current) said << q(texts_[WindowTxt::txtTrainerCurrent]);
        if (r.suggested && markSuggestion_) said << q(texts_[WindowTxt::txtTrainerSuggested]);
        said << cards << credits(r.atBet, texts_)
             << perCredit + ' ' + q(texts_[WindowTxt::txtTrainerPerCredit]).toLower();
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::AccessibleTextRole, said.join(QStringLiteral(", ")));
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont font = table_->font();  // the panel's, at the table's scale
            font.setBold(r.best);
            item->setFont(font);
            if (r.current) item->setBackground(palette().highlight());
            if (r.current) item->setForeground(palette().highlightedText());
            table_->setItem(row, column, item);
        }
    }
}

}  // namespace brisko
