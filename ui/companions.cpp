// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/companions.h"

#include <QTimer>
#include <optional>

#include "records/extra_options.h"
#include "records/store_messages.h"
#include "ui/dialogs.h"
#include "ui/figures.h"
#include "ui/help_viewer.h"
#include "ui/pokerf.h"
#include "ui/review_window.h"
#include "ui/statistics_window.h"
#include "ui/strategy_charts.h"
#include "ui/strategy_window.h"
#include "ui/trainer_dock.h"

namespace brisko {

// The all-time figures are read once, under their own key; a damaged key is
// told at the window's first opening, in the player's language.
Companions::Companions(TfrmBrisko& window, SettingsStore& store, Dialogs& dialogs,
                       std::function<void(Command)> run)
    : QObject(&window), window_(window), store_(store), dialogs_(dialogs), run_(std::move(run)) {
    World& world = window.world();
    const std::string& key = world.records.registryKey;
    statistics_ = std::make_unique<Statistics>(store, statisticsKeyOf(key));
    try {
        statisticsDamaged_ = statistics_->load();
    } catch (const StoreError&) {
        // The settings' load has told the player of this store already.
    }
    // A draw's save is refused on the store's thread; the player is told on
    // the window's.
    statistics_->setSaveRefusedNotice([this] {
        QMetaObject::invokeMethod(this, &Companions::tellSaveError, Qt::QueuedConnection);
    });
    // The trainer's panel shares the table's scale; beside the smallest
    // table it keeps an 800-pixel screen whole.
    const ScreenScale& screen = window.screenScale();
    trainer_ = new Trainer(
        window, window.windowTexts(), key, store, dialogs,
        {&window.layout().action("menuEntraineur"), &window.layout().action("menuAvertirErreur"),
         &window.layout().menu("menuOptions")},
        smallestPanel(screen), screen.length(TrainerDock::kDesignFont));
    statistics_->followTrainer(&trainer_->log());
    charts_ = new StrategyCharts({}, {}, this);
    trainer_->setStrategyCharts(charts_);
    trainer_->setTable(&world.table);
    trainer_->setHoldButtons(window.ButtonC);
    world.table.listen(*statistics_);
    world.table.listen(*trainer_);
    world.table.listen(*this);
}

Companions::~Companions() {
    statistics_->setSaveRefusedNotice({});
    statistics_->finishSaves();
    GameTable& table = window_.world().table;
    table.stopListening(*this);
    table.stopListening(*trainer_);
    table.stopListening(*statistics_);
}

// After each draw the statistics window shows the figures and the trainer's
// tally as they now are, and a refused save of the figures is told once,
// after the command.
void Companions::onEvent(const GameEvent& event) {
    if (!std::holds_alternative<GameStarted>(event) && !std::holds_alternative<HandDrawn>(event) &&
        !std::holds_alternative<DrawSettled>(event)) {
        return;
    }
    if (statisticsWindow_ && statisticsWindow_->isVisible()) statisticsWindow_->refresh();
    if (reviewWindow_ && reviewWindow_->isVisible()) {
        reviewWindow_->setGameType(window_.world().table.gameType());
        reviewWindow_->refresh();
    }
    std::optional<StoreError> error = statistics_->takeSaveError();
    if (!error || statisticsErrorShown_) return;
    statisticsErrorShown_ = true;
    const QString text = q(storeMessage(*error, window_.world().texts.language()));
    QTimer::singleShot(0, &window_, [this, text] { dialogs_.message(&window_, text); });
}

void Companions::tellSaveError() {
    std::optional<StoreError> error = statistics_->takeSaveError();
    if (!error || statisticsErrorShown_) return;
    statisticsErrorShown_ = true;
    dialogs_.message(&window_, q(storeMessage(*error, window_.world().texts.language())));
}

void Companions::finishSaves() {
    statistics_->finishSaves();
    tellSaveError();
}

void Companions::openHelp() {
    const QString file = window_.helpFile();
    if (file.isEmpty()) return;
    const ScreenScale& screen = window_.screenScale();
    if (!helpViewer_) {
        helpViewer_ = new HelpViewer(&window_, QSize(screen.length(560), screen.length(480)));
    }
    helpViewer_->open(
        file, window_.productTitle() + " - " + q(window_.windowTexts()[WindowTxt::txtHelpTitle]));
}

void Companions::openStatistics() {
    if (!statisticsWindow_) {
        expectedFigures_ = new ExpectedFigures(this);
        statisticsWindow_ =
            new StatisticsWindow(&window_, *statistics_, *expectedFigures_, window_.world().texts,
                                 window_.windowTexts(), dialogs_);
        statisticsWindow_->setTrainerLog(&trainer_->log());
        statisticsWindow_->setScale(window_.tableScale().m);
        statisticsWindow_->applyTexts();
        connect(statisticsWindow_, &StatisticsWindow::reviewAsked, this,
                [this] { run_(Command::review); });
        connect(statisticsWindow_, &StatisticsWindow::cleared, this, [this] {
            if (reviewWindow_ && reviewWindow_->isVisible()) reviewWindow_->refresh();
        });
        placeStatistics();
    }
    statisticsWindow_->show();
    statisticsWindow_->raise();
    statisticsWindow_->activateWindow();
    if (statisticsDamaged_) {
        statisticsDamaged_ = false;
        dialogs_.message(statisticsWindow_, q(window_.windowTexts()[WindowTxt::txtStatsDamaged]));
    }
}

void Companions::placeStatistics() {
    const std::string& key = window_.world().records.registryKey;
    const std::optional<WindowOffset> kept = loadWindowOffset(store_, key, kStatisticsPlace);
    std::optional<QPoint> chosen;
    if (kept) chosen = QPoint(kept->x, kept->y);
    statisticsWindow_->setPlaceRules(
        [this](PlaceRoom& room) {
            room.cards = window_.cardsOnScreen();
            room.shown = window_.shownParts();
            const QWidget* panel = trainer_->dock() ? trainer_->dock()->widget() : nullptr;
            if (panel && panel->isVisible()) {
                // The trainer's list and lines, not the room below them.
                const QRect used = panel->childrenRect();
                room.shown.append(QRect(panel->mapToGlobal(used.topLeft()), used.size()));
            }
        },
        chosen);
    // A drag moves the window many times: its place is kept once it rests.
    placeKeeper_.setSingleShot(true);
    placeKeeper_.setInterval(500);
    connect(&placeKeeper_, &QTimer::timeout, this, &Companions::keepStatisticsPlace);
    connect(statisticsWindow_, &StatisticsWindow::placeChosen, this, [this](QPoint offset) {
        chosenPlace_ = offset;
        placeKeeper_.start();
    });
}

void Companions::keepStatisticsPlace() {
    try {
        saveWindowOffset(store_, window_.world().records.registryKey, kStatisticsPlace,
                         {chosenPlace_.x(), chosenPlace_.y()}, [](const StoreError&) {
                             // Only the place is lost: the window goes beside the table.
                         });
    } catch (const StoreError&) {
        // The same: a store that cannot be read keeps no place.
    }
}

void Companions::openStrategy() {
    if (!strategyWindow_) {
        strategyWindow_ = new StrategyWindow(&window_, *charts_, window_.windowTexts(), dialogs_);
        strategyWindow_->setScale(window_.tableScale().m);
    }
    strategyWindow_->showType(window_.world().table.gameType());
    strategyWindow_->show();
    strategyWindow_->raise();
    strategyWindow_->activateWindow();
}

void Companions::openReview() {
    if (!reviewWindow_) {
        reviewWindow_ = new ReviewWindow(&window_, *statistics_, trainer_->log(), *charts_,
                                         window_.world().texts, window_.windowTexts(),
                                         [this] { run_(Command::practise); });
        reviewWindow_->setScale(window_.tableScale().m);
    }
    reviewWindow_->setGameType(window_.world().table.gameType());
    reviewWindow_->show();
    reviewWindow_->refresh();
    reviewWindow_->raise();
    reviewWindow_->activateWindow();
}

bool Companions::practiseChosen() {
    const std::optional<Mistake> mistake = reviewWindow_ ? reviewWindow_->chosen() : std::nullopt;
    if (!mistake) return true;
    return window_.world().table.practise(mistake->dealt, mistake->gameType);
}

void Companions::openChangeGameDialog() {
    if (changeGame_) changeGame_->OpenChangeGameDialog();
}

void Companions::showAbout() {
    dialogs_.message(&window_, QString("BRISKO %1\n%2")
                                   .arg(window_.versionText(),
                                        q(window_.windowTexts()[WindowTxt::txtAboutNotice])));
}

void Companions::retranslate() {
    if (statisticsWindow_) statisticsWindow_->applyTexts();
    if (strategyWindow_) strategyWindow_->applyTexts();
    if (reviewWindow_) reviewWindow_->applyTexts();
    trainer_->retranslate();
}

void Companions::setScale(int32_t m) {
    if (statisticsWindow_) statisticsWindow_->setScale(m);
    if (strategyWindow_) strategyWindow_->setScale(m);
    if (reviewWindow_) reviewWindow_->setScale(m);
    trainer_->setScale(smallestPanel(window_.screenScale()),
                       window_.tableScale().length(TrainerDock::kDesignFont));
}

int Companions::smallestPanel(const ScreenScale& screen) {
    return fitScale(screen, 0, 0).length(TrainerDock::kDesignWidth);
}

void Companions::closeAll() {
    if (placeKeeper_.isActive()) {
        placeKeeper_.stop();
        keepStatisticsPlace();
    }
    finishSaves();
    if (helpViewer_) helpViewer_->close();
    if (statisticsWindow_) statisticsWindow_->close();
    if (strategyWindow_) strategyWindow_->close();
    if (reviewWindow_) reviewWindow_->close();
    if (changeGame_) changeGame_->hide();
    if (firstWindow_) firstWindow_->close();
}

// --- the change-game dialog's host ---------------------------------------------

void Companions::enableAndShowMainWindow() {
    window_.QMainWindow::setEnabled(true);
    // Also back from minimised, where a window manager may have put it with
    // the dialog.
    if (!window_.isVisible() || window_.isMinimized()) window_.showMaximized();
    window_.raise();
    window_.activateWindow();
}

void Companions::startNewGame() {
    run_(Command::newGame);
}

void Companions::showOptions() {
    window_.showOptions(window_.world().records.settings);
}

void Companions::showDialogMessage(QWidget* parent, const QString& text) {
    dialogs_.message(parent ? parent : &window_, text);
}

QWidget* Companions::mainWindow() {
    return &window_;
}

}  // namespace brisko
