// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/review_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "table/trainer.h"
#include "ui/figures.h"
#include "ui/strategy_charts.h"
#include "ui/trainer_panel.h"

namespace brisko {

namespace {

constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 400;
constexpr int kDesignFont = 12;
constexpr int kColumns = 6;  // draw, deal, held, best, cost, chart line

}  // namespace

ReviewWindow::ReviewWindow(QWidget* table, Statistics& statistics, TrainerLog& log,
                           StrategyCharts& charts, const Texts& gameTexts, const WindowTexts& texts,
                           std::function<void()> practise)
    : QWidget(table, Qt::Window),
      statistics_(statistics),
      log_(log),
      charts_(charts),
      gameTexts_(gameTexts),
      texts_(texts),
      practise_(std::move(practise)),
      scope_(new QComboBox(this)),
      list_(new QTableWidget(0, kColumns, this)),
      none_(new QLabel(this)),
      practiseButton_(new QPushButton(this)),
      close_(new QPushButton(this)) {
    setObjectName("reviewWindow");
    scope_->setObjectName("comboReviewScope");
    list_->setObjectName("reviewList");
    practiseButton_->setObjectName("reviewPractise");
    close_->setObjectName("reviewClose");
    for (int i = 0; i <= kGameTypes; ++i) scope_->addItem(QString());
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scope_);
    layout->addWidget(list_, 1);
    layout->addWidget(none_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(practiseButton_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(scope_, &QComboBox::currentIndexChanged, this, &ReviewWindow::refresh);
    connect(list_, &QTableWidget::itemSelectionChanged, this,
            [this] { practiseButton_->setEnabled(chosen().has_value()); });
    connect(list_, &QAbstractItemView::activated, this, [this] { practiseButton_->click(); });
    connect(practiseButton_, &QPushButton::clicked, this, [this] {
        if (chosen()) practise_();
    });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    // The lines come in once the chart of the game type is made.
    connect(&charts_, &StrategyCharts::ready, this, [this](int type) {
        if (type == number(scopeType()) && isVisible()) refresh();
    });
    setScale(800);
    applyTexts();
}

void ReviewWindow::applyTexts() {
    setWindowTitle(text(WindowTxt::txtReviewTitle));
    scope_->setItemText(0, text(WindowTxt::txtStatsGame));
    for (int t = 1; t <= kGameTypes; ++t) {
        scope_->setItemText(
            t, text(WindowTxt::txtStatsAllGames) +
                   QString::fromStdString(gameTexts_[gameTypeName(static_cast<GameType>(t))]));
    }
    scope_->setAccessibleName(text(WindowTxt::txtReviewTitle));
    list_->setHorizontalHeaderLabels(
        {text(WindowTxt::txtReviewDraw), text(WindowTxt::txtReviewDeal),
         text(WindowTxt::txtReviewHeld), text(WindowTxt::txtReviewBest),
         text(WindowTxt::txtReviewCost), text(WindowTxt::txtReviewLine)});
    list_->setAccessibleName(text(WindowTxt::txtReviewTitle));
    none_->setText(text(WindowTxt::txtReviewNone));
    practiseButton_->setText(text(WindowTxt::txtReviewPractise));
    close_->setText(text(WindowTxt::txtStatsClose));
    // Hidden, the list waits for the next opening, and the charts with it.
    if (isVisible()) refresh();
}

void ReviewWindow::setScale(int32_t m) {
    auto length = [m](int design) { return std::max(1, design * m / 800); };
    QFont f = font();
    f.setPixelSize(length(kDesignFont));
    setFont(f);
    resize(length(kDesignWidth), length(kDesignHeight));
}

int32_t ReviewWindow::scope() const {
    return std::max(0, scope_->currentIndex());
}

void ReviewWindow::showScope(int32_t scope) {
    scope_->setCurrentIndex(std::clamp(scope, 0, kGameTypes));
    refresh();
}

GameType ReviewWindow::scopeType() const {
    return scope() == 0 ? gameType_ : static_cast<GameType>(scope());
}

// The newest mistake first, and chosen; a chart not yet made leaves the lines empty
// until it is (its making starts here).
void ReviewWindow::refresh() {
    const StrategyChart* chart = charts_.chart(scopeType());
    mistakes_ = scope() == 0 ? log_.mistakes(chart)
                             : statistics_.keptMistakes(static_cast<GameType>(scope()), chart);
    std::reverse(mistakes_.begin(), mistakes_.end());
    list_->setRowCount(static_cast<int>(mistakes_.size()));
    for (int row = 0; row < list_->rowCount(); ++row) {
        const Mistake& m = mistakes_[static_cast<size_t>(row)];
        const QStringList cells{
            QString::number(m.drawNumber),
            heldCardsText(m.dealt, kHoldCount - 1, texts_),
            heldCardsText(m.dealt, m.held, texts_),
            heldCardsText(m.dealt, m.best, texts_),
            decimal(m.cost, 2, texts_),
            m.chartLine > 0 ? QString::number(m.chartLine) : QStringLiteral("-"),
        };
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 0 || column >= 4) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            list_->setItem(row, column, item);
        }
    }
    none_->setVisible(mistakes_.empty());
    // The newest mistake is chosen until the player chooses another.
    if (!mistakes_.empty() && list_->selectedItems().isEmpty()) list_->selectRow(0);
    practiseButton_->setEnabled(chosen().has_value());
}

std::optional<Mistake> ReviewWindow::chosen() const {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(mistakes_.size()) || list_->selectedItems().isEmpty()) {
        return std::nullopt;
    }
    return mistakes_[static_cast<size_t>(row)];
}

void ReviewWindow::choose(int row) {
    list_->selectRow(row);
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace brisko
