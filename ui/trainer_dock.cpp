// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trainer_dock.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>
#include <cstdlib>

#include "ui/dialogs.h"
#include "ui/pokerf.h"
#include "ui/trainer_panel.h"

namespace brisko {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

Fraction whole(int64_t n) {
    return Fraction(n, 1);
}

}  // namespace

// --- the panel ---------------------------------------------------------------

TrainerDock::TrainerDock(const Texts& texts, int width, int fontPixels, QWidget* parent)
    : QDockWidget(parent),
      panel_(new TrainerPanel(texts, this)),
      verdict_(new QLabel(this)),
      tally_(new QLabel(this)),
      doubleUp_(new QLabel(this)) {
    setObjectName("trainerDock");
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setTitleBarWidget(new QWidget(this));  // the panel has its own title
    QFont font = this->font();
    font.setPixelSize(fontPixels);
    setFont(font);

    auto* body = new QWidget(this);
    body->setFixedWidth(width);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(panel_);
    // The cards take what the figures leave; the list is as high as its rows.
    QTableWidget* table = panel_->table();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setWordWrap(true);  // four or five cards on two lines in a narrow panel
    verdict_->setObjectName("trainerVerdict");
    QFont bold = font;
    bold.setBold(true);
    verdict_->setFont(bold);
    tally_->setObjectName("trainerTally");
    doubleUp_->setObjectName("trainerDoubleUp");
    for (QLabel* label : {verdict_, tally_, doubleUp_}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    setWidget(body);
}

void TrainerDock::retranslate() {
    panel_->retranslate();
    setWindowTitle(panel_->table()->accessibleName());
}

void TrainerDock::showListing(const TrainerListing& listing) {
    panel_->showListing(listing);
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

// --- the trainer -------------------------------------------------------------

Trainer::Trainer(TfrmBrisko& window, SettingsStore& store, Dialogs& dialogs)
    : QObject(&window),
      window_(window),
      store_(store),
      dialogs_(dialogs),
      options_(loadExtraOptions(store, window.world().records.registryKey)),
      trainerAction_(window.findChild<QAction*>("menuEntraineur")),
      warnAction_(window.findChild<QAction*>("menuAvertirErreur")),
      sharesMenu_(window.findChild<QMenu*>("menuOptions")->addMenu(QString())),
      shares_(new QActionGroup(this)) {
    sharesMenu_->setObjectName("menuSeuilAvertissement");
    for (uint8_t share : kWarnShares) {
        QAction* action = sharesMenu_->addAction(QString());
        action->setCheckable(true);
        action->setData(share);
        shares_->addAction(action);
    }
    connect(trainerAction_, &QAction::triggered, this, [this] { toggle(ExtraOption::Trainer); });
    connect(warnAction_, &QAction::triggered, this, [this] { toggle(ExtraOption::Warn); });
    connect(shares_, &QActionGroup::triggered, this, [this](QAction* action) {
        options_.warnShare = static_cast<uint8_t>(action->data().toUInt());
        toggle(ExtraOption::WarnShare);
    });
    applyOptions();
}

Trainer::~Trainer() = default;

// Switched by the player: the option alone is written, and a refusal of the
// store is told while the game goes on with the new state.
void Trainer::toggle(ExtraOption option) {
    if (option == ExtraOption::Trainer) options_.trainer = !options_.trainer;
    if (option == ExtraOption::Warn) options_.warn = !options_.warn;
    applyOptions();
    try {
        saveExtraOption(store_, window_.world().records.registryKey, option, options_,
                        window_.world().texts.language());
    } catch (const StoreError& error) {
        window_.showMessage(error.what());
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
    if (options_.trainer && !dock_) {
        // Beside the smallest table (560 of 800 design pixels), the panel keeps an
        // 800-pixel screen whole; it grows with the screen as the table does.
        const ScreenScale& screen = window_.screenScale();
        dock_ =
            new TrainerDock(window_.world().texts, screen.length(228), screen.length(11), &window_);
        window_.addDockWidget(Qt::RightDockWidgetArea, dock_);
        dock_->retranslate();
    }
    if (dock_) dock_->setVisible(options_.trainer);
    refresh();
}

void Trainer::retranslate() {
    const Texts& texts = window_.world().texts;
    sharesMenu_->setTitle(q(texts[Txt::menuSeuilAvertissement]));
    for (QAction* action : shares_->actions()) {
        action->setText(QString::number(action->data().toUInt()) + q(texts[Txt::txtPercent]));
    }
    if (!dock_) return;
    dock_->retranslate();
    refresh();
}

TrainerMark Trainer::mark() const {
    const World& world = window_.world();
    return {world.table.state.stage, holdOf(world.cards.held), world.table.state.bet};
}

const DealAnalysis& Trainer::analysis() {
    const World& world = window_.world();
    const GameType type = world.table.gameType();
    if (!deal_ || deal_->dealt != world.cards.hand || deal_->gameType != type) {
        if (!evaluator_) evaluator_ = std::make_unique<FastEvaluator>();
        deal_ = analyseDeal(*evaluator_, world.cards.hand, type);
    }
    return *deal_;
}

bool Trainer::confirmDraw() {
    const World& world = window_.world();
    const GameState& state = world.table.state;
    if (!options_.trainer || !options_.warn || state.stage != Stage::AwaitingDraw) return true;
    const DealAnalysis& deal = analysis();
    const Verdict verdict = judge(deal, holdOf(world.cards.held), state.bet);
    const Fraction best = deal.values[deal.best] * whole(state.bet);
    if (verdict.bestPlay || verdict.cost * whole(100) < best * whole(options_.warnShare)) {
        return true;
    }
    const Texts& texts = world.texts;
    return dialogs_.yesNoDefaultNo(&window_, q(texts[Txt::txtTrainerWarnStart]) +
                                                 figure(verdict.cost) +
                                                 q(texts[Txt::txtTrainerWarnEnd]));
}

void Trainer::follow(const TrainerMark& before, Command command) {
    if (command == Command::newGame) {
        tally_ = TrainerTally();
        verdict_.clear();
    }
    if (!options_.trainer) return;
    const GameState& state = window_.world().table.state;
    if (command == Command::dealOrDraw && before.stage == Stage::AwaitingDraw &&
        state.stage != Stage::AwaitingDraw && deal_) {
        const Verdict verdict = judge(*deal_, before.held, before.bet);
        tally_.add(verdict);
        verdict_ = verdictText(verdict);
    }
    refresh();
}

// The panel from the table's state: the listing of the hand in play or last
// played, the verdict until the next deal, the tally, the double-up.
void Trainer::refresh() {
    if (!options_.trainer || !dock_) return;
    const World& world = window_.world();
    const GameState& state = world.table.state;
    if (state.stage == Stage::AwaitingDraw) {
        const bool newDeal = !deal_ || deal_->dealt != world.cards.hand;
        const DealAnalysis& deal = analysis();
        if (newDeal) verdict_.clear();
        dock_->showListing({deal.dealt, trainerRows(deal, holdOf(world.cards.held), state.bet)});
    } else if (!deal_ || state.stage == Stage::GameOver) {
        dock_->showListing({});
    }
    dock_->showVerdict(verdict_);
    dock_->showTally(tallyText());
    dock_->showDoubleUp(doubleUpText());
}

QString Trainer::figure(const Fraction& value) const {
    const std::string& point = window_.world().texts[Txt::txtDecimalPoint];
    return q(value.rounded(2, point.empty() ? '.' : point[0]));
}

QString Trainer::percent(const Fraction& share) const {
    return figure(share * whole(100)) + q(window_.world().texts[Txt::txtPercent]);
}

// "Meilleur choix", or "Écart : -0,42 crédit".
QString Trainer::verdictText(const Verdict& verdict) const {
    const Texts& texts = window_.world().texts;
    if (verdict.bestPlay) return q(texts[Txt::txtTrainerBest]);
    return q(texts[Txt::txtTrainerCost]) + credits(Fraction() - verdict.cost);
}

QString Trainer::credits(const Fraction& amount) const {
    const Fraction size = amount < Fraction() ? Fraction() - amount : amount;
    const Texts& texts = window_.world().texts;
    return figure(amount) + ' ' +
           q(texts[size < whole(2) ? Txt::txtTrainerCredit : Txt::txtTrainerCredits]);
}

QString Trainer::tallyText() const {
    const Texts& texts = window_.world().texts;
    QStringList lines;
    lines << q(texts[Txt::txtTrainerDecisions]) + QString::number(tally_.decisions())
          << q(texts[Txt::txtTrainerBestPlays]) + QString::number(tally_.bestPlays())
          << q(texts[Txt::txtTrainerAccuracy]) +
                 (tally_.decisions() == 0 ? QStringLiteral("-")
                                          : figure(tally_.accuracy()) + q(texts[Txt::txtPercent]))
          << q(texts[Txt::txtTrainerGivenAway]) + figure(tally_.givenAway());
    return lines.join('\n');
}

// At the offer, a blind pick; in the pick, against the dealer's card. The
// values are in credits for the win at stake.
QString Trainer::doubleUpText() const {
    const World& world = window_.world();
    const GameState& state = world.table.state;
    const Texts& texts = world.texts;
    PickOdds odds;
    QString title;
    if (state.stage == Stage::DoubleUpOffer) {
        odds = blindPickOdds();
        title = q(texts[Txt::txtTrainerDoubleBlind]);
    } else if (state.stage == Stage::DoubleUpPick) {
        const int32_t dealer = world.cards.hand[1];
        odds = pickOdds(cardTable[dealer].rank);
        Hand shown{};
        shown[1] = dealer;
        title = q(texts[Txt::txtTrainerDoubleCard]) + dock_->panel()->cardsText(shown, 1u << 0);
    } else {
        return {};
    }
    const Fraction stake = whole(state.win);
    QStringList lines;
    lines << title << q(texts[Txt::txtTrainerDoubleWin]) + percent(odds.win)
          << q(texts[Txt::txtTrainerDoubleTie]) + percent(odds.tie)
          << q(texts[Txt::txtTrainerDoubleLoss]) + percent(odds.loss)
          << q(texts[Txt::txtTrainerDoubleValue]) + credits(stake * odds.doublingValue())
          << q(texts[Txt::txtTrainerQuitValue]) + credits(stake);
    return lines.join('\n');
}

}  // namespace brisko
