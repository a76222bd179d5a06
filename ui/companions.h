// SPDX-License-Identifier: GPL-3.0-or-later
// The windows beside the game table: the help, the statistics, the trainer's
// panel, the strategy chart, the review of mistakes and the change-game dialog, each made when
// first needed and closed with the game. They follow the game through its events and through what
// they are given, never through the table's widgets.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "records/store.h"
#include "table/events.h"
#include "table/statistics.h"
#include "ui/fChangeGame.h"
#include "ui/handlers.h"
#include "ui/scaling.h"

class QMainWindow;

namespace brisko {

class Dialogs;
class ExpectedFigures;
class HelpViewer;
class ReviewWindow;
class StatisticsWindow;
class StrategyCharts;
class StrategyWindow;
class TfrmBrisko;
class Trainer;

class Companions final : public QObject, public ChangeGameHost, public GameListener {
    Q_OBJECT

  public:
    // `run` carries out a command of the table behind the window's guard.
    Companions(TfrmBrisko& window, SettingsStore& store, Dialogs& dialogs,
               std::function<void(Command)> run);
    ~Companions() override;

    Trainer& trainer() { return *trainer_; }
    Statistics& statistics() { return *statistics_; }
    StatisticsWindow* statisticsWindow() const { return statisticsWindow_; }
    StrategyWindow* strategyWindow() const { return strategyWindow_; }
    ReviewWindow* reviewWindow() const { return reviewWindow_; }
    StrategyCharts& strategyCharts() { return *charts_; }

    // The program's first window, closed when the game's closes, and the
    // change-game dialog; both may be absent (tests).
    void setFirstWindow(QWidget* window) { firstWindow_ = window; }
    void setChangeGameDialog(TfrmChangeGame* dialog) { changeGame_ = dialog; }
    bool hasChangeGameDialog() const { return changeGame_ != nullptr; }

    void openHelp();
    void openStatistics();
    // The chart of the game type in play.
    void openStrategy();
    void openReview();
    // The mistake chosen in the review dealt again as a practice deal; false
    // when the table cannot take one now.
    bool practiseChosen();
    void openChangeGameDialog();
    void showAbout();
    // After a choice of language, and at every change of the table's scale.
    void retranslate();
    void setScale(int32_t m);
    // The game window closes: the last draw's save lands (a refusal is
    // told), then everything beside it goes.
    void closeAll();
    // Waits for the last draw's save and tells its refusal, if any.
    void finishSaves();

    // The statistics follow the game.
    void onEvent(const GameEvent& event) override;

    // ChangeGameHost
    void enableAndShowMainWindow() override;
    void startNewGame() override;
    void showOptions() override;
    void showDialogMessage(QWidget* parent, const QString& text) override;
    QWidget* mainWindow() override;

  private:
    // A refused save of the figures, told once in the player's language.
    void tellSaveError();
    // The trainer panel's least width: beside the smallest table.
    static int smallestPanel(const ScreenScale& screen);

    // The statistics window's place: the cards it spares, the place the
    // player chose, kept a moment after the last move.
    void placeStatistics();
    void keepStatisticsPlace();

    TfrmBrisko& window_;
    SettingsStore& store_;
    Dialogs& dialogs_;
    std::function<void(Command)> run_;
    QWidget* firstWindow_ = nullptr;
    TfrmChangeGame* changeGame_ = nullptr;
    HelpViewer* helpViewer_ = nullptr;
    Trainer* trainer_ = nullptr;
    std::unique_ptr<Statistics> statistics_;
    StatisticsWindow* statisticsWindow_ = nullptr;
    ExpectedFigures* expectedFigures_ = nullptr;  // worked out at the first opening
    StrategyCharts* charts_ = nullptr;
    StrategyWindow* strategyWindow_ = nullptr;
    ReviewWindow* reviewWindow_ = nullptr;
    bool statisticsDamaged_ = false;
    bool statisticsErrorShown_ = false;
    QTimer placeKeeper_{this};
    QPoint chosenPlace_;
};

}  // namespace brisko
