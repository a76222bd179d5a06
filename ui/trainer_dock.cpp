// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trainer_dock.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "contract/strategy_texts.h"
#include "table/game.h"
#include "table/options.h"
#include "ui/best_hold_marks.h"
#include "ui/dialogs.h"
#include "ui/figures.h"
#include "ui/strategy_charts.h"
#include "ui/trainer_panel.h"

namespace brisko {

namespace {

Fraction whole(int64_t n) {
    return Fraction(n, 1);
}

}  // namespace

// --- the panel ---------------------------------------------------------------

TrainerDock::TrainerDock(const WindowTexts& texts, int width, int fontPixels, QWidget* parent)
    : QDockWidget(parent),
      panel_(new TrainerPanel(texts, this)),
      body_(new QWidget(this)),
      verdict_(new QLabel(this)),
      tally_(new QLabel(this)),
      doubleUp_(new QLabel(this)) {
    setObjectName("trainerDock");
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setTitleBarWidget(new QWidget(this));  // the panel has its own title

    auto* layout = new QVBoxLayout(body_);
    layout->addWidget(panel_);
    // The cards take what the figures leave, on one line; the list is as
    // high as its rows.
    QTableWidget* table = panel_->table();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setWordWrap(false);
    verdict_->setObjectName("trainerVerdict");
    tally_->setObjectName("trainerTally");
    doubleUp_->setObjectName("trainerDoubleUp");
    chartLine_ = new QLabel(this);
    chartLine_->setObjectName("trainerChartLine");
    for (QLabel* label : {chartLine_, verdict_, tally_, doubleUp_}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    setWidget(body_);
    setScale(width, fontPixels);
}

void TrainerDock::setScale(int minimumWidth, int fontPixels) {
    QFont font = this->font();
    font.setPixelSize(fontPixels);
    setFont(font);
    QFont bold = font;
    bold.setBold(true);
    verdict_->setFont(bold);
    body_->setMinimumWidth(minimumWidth);
    // Margins in step with the text, so that the list keeps its share.
    const int margin = std::max(2, fontPixels / 3);
    body_->layout()->setContentsMargins(margin, margin, margin, margin);
}

void TrainerDock::retranslate() {
    panel_->retranslate();
    // The figures' titles a word a line: the cards keep the width.
    QTableWidget* table = panel_->table();
    for (int column = 1; column < table->columnCount(); ++column) {
        if (QTableWidgetItem* title = table->horizontalHeaderItem(column)) {
            title->setText(title->text().replace(' ', '\n'));
        }
    }
    setWindowTitle(panel_->table()->accessibleName());
    fitRows();
}

void TrainerDock::showListing(const TrainerListing& listing) {
    if (panel_->showListing(listing)) fitRows();
}

// The list as high as its rows, each as high as its text.
void TrainerDock::fitRows() {
    QTableWidget* table = panel_->table();
    table->resizeRowsToContents();
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) height += table->rowHeight(row);
    table->setFixedHeight(height);
}

void TrainerDock::setLabel(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
    label->setVisible(!text.isEmpty());
}

void TrainerDock::showVerdict(const QString& verdict) {
    setLabel(verdict_, verdict);
}

void TrainerDock::showTally(const QString& tally) {
    setLabel(tally_, tally);
}

void TrainerDock::showDoubleUp(const QString& odds) {
    setLabel(doubleUp_, odds);
}

void TrainerDock::showChartLine(const QString& line) {
    setLabel(chartLine_, line);
}

// --- the trainer -------------------------------------------------------------

Trainer::Trainer(QMainWindow& window, const WindowTexts& texts, std::string registryKey,
                 SettingsStore& store, Dialogs& dialogs, const TrainerMenu& menu, int width,
                 int fontPixels)
    : QObject(&window),
      window_(window),
      texts_(texts),
      registryKey_(std::move(registryKey)),
      store_(store),
      dialogs_(dialogs),
      options_(loadExtraOptions(store, registryKey_)),
      trainerAction_(menu.trainer),
      warnAction_(menu.warn),
      sharesMenu_(menu.options->addMenu(QString())),
      shares_(new QActionGroup(this)),
      width_(width),
      fontPixels_(fontPixels),
      log_(analyst_, options_.trainer) {
    warmTimer_.setSingleShot(true);
    warmTimer_.setInterval(0);
    connect(&warmTimer_, &QTimer::timeout, this, &Trainer::warmUp);
    sharesMenu_->setObjectName("menuSeuilAvertissement");
    for (uint8_t share : kWarnShares) {
        QAction* action = sharesMenu_->addAction(QString());
        action->setCheckable(true);
        action->setData(share);
        shares_->addAction(action);
    }
    connect(shares_, &QActionGroup::triggered, this, [this](QAction* action) {
        options_.warnShare = static_cast<uint8_t>(action->data().toUInt());
        toggle(ExtraOption::WarnShare);
    });
    addPlayOptions(*menu.options);
    applyOptions();
}

// "Hold the best play", beside the warning's threshold.
void Trainer::addPlayOptions(QMenu& options) {
    holdBestAction_ = options.addAction(QString());
    holdBestAction_->setObjectName("menuGarderMeilleurChoix");
    holdBestAction_->setCheckable(true);
    connect(holdBestAction_, &QAction::triggered, this, &Trainer::toggleHoldBest);
    markBestAction_ = options.addAction(QString());
    markBestAction_->setObjectName("menuMarquerMeilleurChoix");
    markBestAction_->setCheckable(true);
    connect(markBestAction_, &QAction::triggered, this, &Trainer::toggleMarkBest);
}

void Trainer::setHoldButtons(const std::array<QPushButton*, 6>& buttons) {
    marks_ = new BestHoldMarks(buttons, this);
    refresh();
}

void Trainer::setTable(GameTable* table) {
    table_ = table;
    if (table_) applyTrainerOptions(*table_, options_);
}

void Trainer::setStrategyCharts(StrategyCharts* charts) {
    charts_ = charts;
    if (charts_) connect(charts_, &StrategyCharts::ready, this, &Trainer::refresh);
}

Trainer::~Trainer() = default;

// Switched by the player: the option alone is written, and a refusal of the
// store is told while the game goes on with the new state.
void Trainer::toggle(ExtraOption option) {
    if (option == ExtraOption::Trainer) options_.trainer = !options_.trainer;
    if (option == ExtraOption::Warn) options_.warn = !options_.warn;
    if (option == ExtraOption::HoldBest) options_.holdBest = !options_.holdBest;
    if (option == ExtraOption::MarkBest) options_.markBest = !options_.markBest;
    applyOptions();
    try {
        saveExtraOption(store_, registryKey_, option, options_, texts_.language());
    } catch (const StoreError& error) {
        dialogs_.message(&window_, QString::fromUtf8(error.what()));
    }
}

void Trainer::applyOptions() {
    trainerAction_->setChecked(options_.trainer);
    warnAction_->setChecked(options_.warn);
    warnAction_->setEnabled(options_.trainer);
    sharesMenu_->setEnabled(options_.trainer);
    for (QAction* action : shares_->actions()) {
        action->setChecked(action->data().toUInt() == options_.warnShare);
    }
    holdBestAction_->setChecked(options_.holdBest);
    holdBestAction_->setEnabled(options_.trainer);
    markBestAction_->setChecked(options_.markBest);
    markBestAction_->setEnabled(options_.trainer);
    if (table_) applyTrainerOptions(*table_, options_);
    log_.setCounting(options_.trainer);
    if (options_.trainer && !dock_) {
        dock_ = new TrainerDock(texts_, width_, fontPixels_, &window_);
        window_.addDockWidget(Qt::RightDockWidgetArea, dock_);
        dock_->retranslate();
        warmTimer_.start();
    }
    if (dock_) dock_->setVisible(options_.trainer);
    refresh();
}

void Trainer::setScale(int minimumWidth, int fontPixels) {
    width_ = minimumWidth;
    fontPixels_ = fontPixels;
    if (!dock_) return;
    dock_->setScale(width_, fontPixels_);
    refresh();
}

void Trainer::retranslate() {
    sharesMenu_->setTitle(q(texts_[WindowTxt::menuSeuilAvertissement]));
    holdBestAction_->setText(q(texts_[WindowTxt::menuGarderMeilleurChoix]));
    markBestAction_->setText(q(texts_[WindowTxt::menuMarquerMeilleurChoix]));
    for (QAction* action : shares_->actions()) {
        action->setText(QString::number(action->data().toUInt()) +
                        q(texts_[WindowTxt::txtPercent]));
    }
    if (!dock_) return;
    dock_->retranslate();
    refresh();
}

void Trainer::onEvent(const GameEvent& event) {
    log_.onEvent(event);
    onPractice(event);
    std::visit(Overloaded{
                   [this](const GameStarted&) {
                       deal_.reset();
                       drawn_ = false;
                       verdict_.clear();
                       stake_ = 0;
                   },
                   [this](const HandDealt& e) {
                       deal_ = Deal{e.hand, e.gameType, e.held, e.bet};
                       drawn_ = false;
                       verdict_.clear();
                   },
                   [this](const HoldsChanged& e) {
                       if (!deal_) return;
                       deal_->dealt = e.hand;
                       deal_->held = e.held;
                   },
                   [this](const HandDrawn&) {
                       drawn_ = true;
                       if (const Decision* d = options_.trainer ? log_.lastDraw() : nullptr) {
                           verdict_ = verdictText(*d->verdict);
                       }
                   },
                   [this](const DoubleUpOffered& e) {
                       stake_ = e.win;
                       dealerCard_ = 0;
                   },
                   [this](const PickStarted& e) {
                       stake_ = e.win;
                       dealerCard_ = e.dealerCard;
                   },
                   [this](const DrawSettled&) { stake_ = 0; },
                   [this](const DrawEnded& e) {
                       if (e.gameOver) deal_.reset();
                   },
                   [](const auto&) {},
               },
               event);
    refresh();
}

// The panel follows a practice deal as it follows the game's; the game's
// deal, verdict and all come back when the practice ends.
void Trainer::onPractice(const GameEvent& event) {
    if (const auto* dealt = std::get_if<PracticeDealt>(&event)) {
        if (!gameDeal_) {
            gameDeal_ = deal_;
            gameVerdict_ = verdict_;
            gameDrawn_ = drawn_;
        }
        deal_ = Deal{dealt->hand, dealt->gameType, 0, dealt->bet};
        drawn_ = false;
        verdict_.clear();
    } else if (const auto* holds = std::get_if<PracticeHoldsChanged>(&event)) {
        if (deal_) deal_->held = holds->held;
    } else if (std::holds_alternative<PracticeDrawn>(event)) {
        drawn_ = true;
        if (const Decision* d = options_.trainer ? log_.practiceDraw() : nullptr) {
            verdict_ = verdictText(*d->verdict);
        }
    } else if (std::holds_alternative<PracticeEnded>(event) && gameDeal_) {
        deal_ = *gameDeal_;
        verdict_ = gameVerdict_;
        drawn_ = gameDrawn_;
        gameDeal_.reset();
    }
}

bool Trainer::confirmDraw() {
    if (!options_.trainer || !options_.warn || !deal_ || drawn_) return true;
    const DealAnalysis& deal = analyst_.analyse(deal_->dealt, deal_->gameType);
    const Verdict verdict = judge(deal, deal_->held, deal_->bet);
    const Fraction best = deal.values[deal.best] * whole(deal_->bet);
    if (verdict.bestPlay || verdict.cost * whole(100) < best * whole(options_.warnShare)) {
        return true;
    }
    return dialogs_.yesNoDefaultNo(&window_, q(texts_[WindowTxt::txtTrainerWarnStart]) +
                                                 credits(verdict.cost, texts_) +
                                                 q(texts_[WindowTxt::txtTrainerWarnEnd]));
}

// The panel from what the events told: the listing of the hand in play or
// last played, the verdict until the next deal, the tally, the double-up.
void Trainer::refresh() {
    showMarks();
    if (!options_.trainer || !dock_) return;
    if (deal_) {
        const DealAnalysis& deal = analyst_.analyse(deal_->dealt, deal_->gameType);
        // The game's own suggestion is marked when the game makes one.
        const bool suggestion = table_ && table_->setup().suggestion;
        dock_->panel()->setMarkSuggestion(suggestion);
        dock_->showListing({deal.dealt, trainerRows(deal, deal_->held, deal_->bet, 5, suggestion)});
    } else {
        dock_->showListing({});
    }
    dock_->showChartLine(bestLineText());
    dock_->showVerdict(verdict_);
    dock_->showTally(tallyText());
    dock_->showDoubleUp(doubleUpText());
}

// The panel's fonts, the chart of the game's type when it is kept on disk
// (never made here: that waits for the trainer's first deal) and the
// analysis's code and tables, readied while the player has not dealt yet.
void Trainer::warmUp() {
    if (!dock_ || !options_.trainer) return;
    dock_->panel()->warmUp();
    if (charts_ && table_) charts_->readKept(table_->setup().gameType);
    if (!deal_) {
        const Hand sample{0,
                          cardIndex(1, 1),
                          cardIndex(1, 13),
                          cardIndex(2, 12),
                          cardIndex(3, 5),
                          cardIndex(4, 2)};
        analyst_.analyse(sample, GameType::NoJoker);
    }
}

// The best hold's mark on the cards, while the hand waits for its draw.
void Trainer::showMarks() {
    if (!marks_) return;
    const bool on = options_.trainer && options_.markBest && deal_ && !drawn_;
    marks_->show(on ? analyst_.analyse(deal_->dealt, deal_->gameType).best : 0);
}

// "Tableau de stratégie, ligne 12 : Paire de rois ou d'as" for the best hold
// of the deal in play, once the chart of its game type is at hand; the chart
// is asked for (and made, off this thread) the first time.
QString Trainer::bestLineText() {
    if (!charts_ || !deal_) return {};
    const StrategyChart* chart = charts_->chart(deal_->gameType);
    if (!chart) return {};
    const DealAnalysis& deal = analyst_.analyse(deal_->dealt, deal_->gameType);
    const ChartLine* line = chart->line(chart->lineOf(deal_->dealt, deal.best));
    if (!line) return {};
    return q(texts_[WindowTxt::txtTrainerChartLine]) + QString::number(line->number) +
           (texts_.language() == Language::French ? " : " : ": ") +
           QString::fromStdString(chartLineText(*line, texts_.language()));
}

// "Meilleur choix", or "Écart : -0,42 crédit".
QString Trainer::verdictText(const Verdict& verdict) const {
    if (verdict.bestPlay) return q(texts_[WindowTxt::txtTrainerBest]);
    return q(texts_[WindowTxt::txtTrainerCost]) + credits(Fraction() - verdict.cost, texts_);
}

QString Trainer::tallyText() {
    const std::array<QString, 4> figures = tallyFigures(&log_.tally(), texts_);
    const std::array<WindowTxt, 4> names = {
        WindowTxt::txtTrainerDecisions, WindowTxt::txtTrainerBestPlays,
        WindowTxt::txtTrainerAccuracy, WindowTxt::txtTrainerGivenAway};
    QStringList lines;
    for (size_t k = 0; k < names.size(); ++k) lines << q(texts_[names[k]]) + figures[k];
    return lines.join('\n');
}

// At the offer, a blind pick; in the pick, against the dealer's card. The
// values are in credits for the win at stake.
QString Trainer::doubleUpText() const {
    if (stake_ == 0) return {};
    PickOdds odds;
    QString title;
    if (dealerCard_ == 0) {
        odds = blindPickOdds();
        title = q(texts_[WindowTxt::txtTrainerDoubleBlind]);
    } else {
        odds = pickOdds(cardTable[dealerCard_].rank);
        Hand shown{};
        shown[1] = dealerCard_;
        title =
            q(texts_[WindowTxt::txtTrainerDoubleCard]) + dock_->panel()->cardsText(shown, 1u << 0);
    }
    const Fraction stake = whole(stake_);
    QStringList lines;
    lines << title << q(texts_[WindowTxt::txtTrainerDoubleWin]) + percent(odds.win, 2, texts_)
          << q(texts_[WindowTxt::txtTrainerDoubleTie]) + percent(odds.tie, 2, texts_)
          << q(texts_[WindowTxt::txtTrainerDoubleLoss]) + percent(odds.loss, 2, texts_)
          << q(texts_[WindowTxt::txtTrainerDoubleValue]) +
                 credits(stake * odds.doublingValue(), texts_)
          << q(texts_[WindowTxt::txtTrainerQuitValue]) + credits(stake, texts_);
    return lines.join('\n');
}

}  // namespace brisko
