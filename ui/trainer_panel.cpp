// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trainer_panel.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextLayout>
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
    filled_ = false;
    showListing(listing_);
}

void TrainerPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        filled_ = false;
    }
    QWidget::changeEvent(event);
}

void TrainerPanel::setMarkSuggestion(bool on) {
    if (on != markSuggestion_) filled_ = false;
    markSuggestion_ = on;
}

// The first text laid out at a new size and weight loads the font and shapes
// its glyphs, and the first drawn renders them: a few milliseconds the first
// listing would otherwise cost. A row of every kind of text the list shows,
// laid out and drawn off screen, in its two weights.
void TrainerPanel::warmUp() {
    const Hand hand{
        0, cardIndex(1, 1), cardIndex(2, 13), cardIndex(3, 12), cardIndex(4, 11), cardIndex(1, 10)};
    const QString sample = QStringLiteral("\u2605 ") + cardsText(hand, 0x1F /* all five */) + ' ' +
                           q(texts_[WindowTxt::txtTrainerJoker]) + ' ' +
                           q(texts_[WindowTxt::txtTrainerSuggested]) + ' ' +
                           q(texts_[WindowTxt::txtTrainerNoCard]) + ' ' +
                           q(texts_[WindowTxt::txtTrainerChartLine]) +
                           QStringLiteral(
                               " -0123456789,.():'%\u00e0\u00e7\u00e8\u00e9\u00ea "
                               "abcdefghijklmnopqrstuvwxyz"
                               "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (const bool bold : {false, true}) {
        QFont font = table_->font();
        font.setBold(bold);
        QTextLayout layout(sample, font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e6);
        layout.endLayout();
        // Glyphs outside the image would be skipped, not rendered.
        QImage image(QSize(int(line.naturalTextWidth()) + 1, int(line.height()) + 1),
                     QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        // Each glyph is rendered for the quarter of a pixel it starts at.
        for (const qreal quarter : {0.0, 0.25, 0.5, 0.75}) {
            layout.draw(&painter, QPointF(quarter, 0));
        }
    }
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

bool TrainerPanel::showListing(const TrainerListing& listing) {
    if (filled_ && listing == listing_) return false;
    filled_ = true;
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
    return true;
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
