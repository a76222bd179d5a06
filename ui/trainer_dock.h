// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer at the table's right side: a panel docked in the game window
// that lists the holds of the deal with their exact values, says after the
// draw whether the hold was the best one and what it cost, keeps the tally of
// the game and gives the double-up's exact chances. The window's client area
// shrinks by the panel's width and the table scales into what is left, as at
// any resize; with the trainer off there is no panel at all.
#pragma once

#include <QDockWidget>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

#include "engine/fast_eval.h"
#include "records/extra_options.h"
#include "records/store.h"
#include "table/double_up_odds.h"
#include "table/events.h"
#include "table/trainer.h"
#include "ui/window_texts.h"

class QAction;
class QActionGroup;
class QMenu;
class QPushButton;

namespace brisko {

class BestHoldMarks;
class Dialogs;
class GameTable;
class StrategyCharts;
class TrainerPanel;

// The panel: what it is given, in the texts of the language.
class TrainerDock : public QDockWidget {
    Q_OBJECT

  public:
    // The panel's width and text height at the table's design scale.
    static constexpr int32_t kDesignWidth = 300;
    static constexpr int32_t kDesignFont = 11;

    // At least `width` wide, with text of `fontPixels`.
    TrainerDock(const WindowTexts& texts, int width, int fontPixels, QWidget* parent);

    // The panel's text at `fontPixels`, no narrower than `minimumWidth`; the
    // game window gives it its width beside the table.
    void setScale(int minimumWidth, int fontPixels);

    TrainerPanel* panel() const { return panel_; }
    void retranslate();
    void showListing(const TrainerListing& listing);
    // The verdict of the last draw; empty before the first or after a deal.
    void showVerdict(const QString& verdict);
    void showTally(const QString& tally);
    // The double-up's chances, empty outside the double-up.
    void showDoubleUp(const QString& odds);
    // The strategy chart's line that the best hold follows; empty without.
    void showChartLine(const QString& line);

  private:
    static void setLabel(QLabel* label, const QString& text);
    void fitRows();

    TrainerPanel* panel_;
    QWidget* body_;
    QLabel* verdict_;
    QLabel* tally_;
    QLabel* doubleUp_;
    QLabel* chartLine_ = nullptr;
};

// The trainer's commands in the Options menu: itself (F10) and its warning;
// it adds the warning's threshold to `options` as a menu of its own.
struct TrainerMenu {
    QAction* trainer = nullptr;
    QAction* warn = nullptr;
    QMenu* options = nullptr;
};

// The trainer's options and its panel. It listens to the game's events and
// works out the panel from them and from the analysis, never from the
// widgets or the table's stage.
class Trainer : public QObject, public GameListener {
    Q_OBJECT

  public:
    // The panel docks in `window`, `width` wide with text of `fontPixels`
    // (at the screen's scale). The options live in `store` beside the game's key.
    Trainer(QMainWindow& window, const WindowTexts& texts, std::string registryKey,
            SettingsStore& store, Dialogs& dialogs, const TrainerMenu& menu, int width,
            int fontPixels);
    ~Trainer() override;

    const ExtraOptions& options() const { return options_; }
    TrainerDock* dock() const { return dock_; }
    // The panel's text and its least width at the table's scale.
    void setScale(int minimumWidth, int fontPixels);
    // The decisions of the game in progress made with the trainer on.
    TrainerLog& log() { return log_; }
    const TrainerTally& tally() { return log_.tally(); }

    void onEvent(const GameEvent& event) override;
    // The menu's commands.
    void toggleTrainer() { toggle(ExtraOption::Trainer); }
    void toggleWarn() { toggle(ExtraOption::Warn); }
    void toggleHoldBest() { toggle(ExtraOption::HoldBest); }
    void toggleMarkBest() { toggle(ExtraOption::MarkBest); }
    // The table's hold buttons, slots 1..5, where the best hold is marked.
    void setHoldButtons(const std::array<QPushButton*, 6>& buttons);
    // The table whose holds after a deal the options change ("Hold the best
    // play"), and the charts that name the best hold's line; both may be absent.
    void setTable(GameTable* table);
    void setStrategyCharts(StrategyCharts* charts);
    // The menu's texts and the panel's, after a choice of language.
    void retranslate();
    // Whether the draw goes ahead: with the warning on and a hold that costs
    // at least the chosen share of the best hold's value, the player's answer.
    bool confirmDraw();

  private:
    // A hand dealt, as the events told it.
    struct Deal {
        Hand dealt{};
        GameType gameType = GameType::NoJoker;
        HoldMask held = 0;
        int32_t bet = 1;
    };

    void toggle(ExtraOption option);
    void applyOptions();
    void addPlayOptions(QMenu& options);
    // A practice deal: the game's own deal put aside, and back at its end.
    void onPractice(const GameEvent& event);
    void showMarks();
    QString bestLineText();
    void refresh();
    QString verdictText(const Verdict& verdict) const;
    QString tallyText();
    QString doubleUpText() const;
    void warmUp();

    QMainWindow& window_;
    const WindowTexts& texts_;
    std::string registryKey_;
    SettingsStore& store_;
    Dialogs& dialogs_;
    ExtraOptions options_;
    QAction* trainerAction_;
    QAction* warnAction_;
    QMenu* sharesMenu_;
    QActionGroup* shares_;
    QAction* holdBestAction_ = nullptr;
    QAction* markBestAction_ = nullptr;
    BestHoldMarks* marks_ = nullptr;
    GameTable* table_ = nullptr;
    StrategyCharts* charts_ = nullptr;
    int width_;
    int fontPixels_;
    TrainerDock* dock_ = nullptr;  // made when the trainer is first switched on
    // Once the panel is made, at the loop's first idle turn: what its first
    // deal would otherwise wait for.
    QTimer warmTimer_{this};

    DealAnalyst analyst_;  // the evaluation table is built at the first deal analysed
    TrainerLog log_;
    std::optional<Deal> deal_;  // the last hand dealt; none after a new game
    // During a practice deal, the game's deal and verdict put aside.
    std::optional<std::optional<Deal>> gameDeal_;
    QString gameVerdict_;
    bool gameDrawn_ = false;
    bool drawn_ = false;  // and since drawn
    QString verdict_;
    // The double-up under way: the win at stake, and the dealer's card in the pick.
    int32_t stake_ = 0;
    int32_t dealerCard_ = 0;
};

}  // namespace brisko
