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
#include <memory>
#include <optional>

#include "engine/fast_eval.h"
#include "records/extra_options.h"
#include "records/store.h"
#include "table/double_up_odds.h"
#include "table/game.h"
#include "table/trainer.h"
#include "ui/handlers.h"

class QAction;
class QActionGroup;
class QMenu;

namespace brisko {

class Dialogs;
class TfrmBrisko;
class TrainerPanel;

// The panel: what it is given, in the texts of the language.
class TrainerDock : public QDockWidget {
    Q_OBJECT

  public:
    // `width` and `fontPixels` at the screen's scale.
    TrainerDock(const Texts& texts, int width, int fontPixels, QWidget* parent);

    TrainerPanel* panel() const { return panel_; }
    void retranslate();
    void showListing(const TrainerListing& listing);
    // The verdict of the last draw; empty before the first or after a deal.
    void showVerdict(const QString& verdict);
    void showTally(const QString& tally);
    // The double-up's chances, empty outside the double-up.
    void showDoubleUp(const QString& odds);

  private:
    static void setLabel(QLabel* label, const QString& text);

    TrainerPanel* panel_;
    QLabel* verdict_;
    QLabel* tally_;
    QLabel* doubleUp_;
};

// What the trainer notes before a command, to judge a draw after it.
struct TrainerMark {
    Stage stage = Stage::GameOver;
    HoldMask held = 0;
    int32_t bet = 0;
};

// The trainer's options and its panel, driven by the window: the window marks
// the table before each command and hands the mark back after it; the trainer
// reads the table's state and the analysis, never the widgets.
class Trainer : public QObject {
    Q_OBJECT

  public:
    Trainer(TfrmBrisko& window, SettingsStore& store, Dialogs& dialogs);
    ~Trainer() override;

    const ExtraOptions& options() const { return options_; }
    TrainerDock* dock() const { return dock_; }
    // The tally of the game in progress (decisions made with the trainer on).
    const TrainerTally& tally() const { return tally_; }

    // The menu's texts and the panel's, after a choice of language.
    void retranslate();
    TrainerMark mark() const;
    // Whether the draw goes ahead: with the warning on and a hold that costs
    // at least the chosen share of the best hold's value, the player's answer.
    bool confirmDraw();
    // After a command: the verdict of a draw, then the panel from the state.
    void follow(const TrainerMark& before, Command command);

  private:
    void toggle(ExtraOption option);
    void applyOptions();
    void refresh();
    const DealAnalysis& analysis();
    QString figure(const Fraction& value) const;
    QString percent(const Fraction& share) const;
    // "-0,42 crédit", "2,50 crédits": singular below two credits, as the
    // French writes it and as the verdict's English reads.
    QString credits(const Fraction& amount) const;
    QString verdictText(const Verdict& verdict) const;
    QString tallyText() const;
    QString doubleUpText() const;

    TfrmBrisko& window_;
    SettingsStore& store_;
    Dialogs& dialogs_;
    ExtraOptions options_;
    QAction* trainerAction_;
    QAction* warnAction_;
    QMenu* sharesMenu_;
    QActionGroup* shares_;
    TrainerDock* dock_ = nullptr;  // made when the trainer is first switched on

    std::unique_ptr<FastEvaluator> evaluator_;  // built once, at the first deal analysed
    std::optional<DealAnalysis> deal_;
    TrainerTally tally_;
    QString verdict_;
};

}  // namespace brisko
