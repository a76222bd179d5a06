// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: how the player did in the game in progress and in
// all the games of a game type, beside the exact frequencies of the final
// hands under best play and under the suggested cards, the double-up, the
// trainer's tally and a chart of the credit. A tool window of the table's,
// kept above it and placed beside it.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "contract/texts.h"
#include "table/statistics.h"
#include "ui/companion_place.h"
#include "ui/window_texts.h"

class QAreaSeries;
class QChart;
class QChartView;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTableWidget;
class QValueAxis;

namespace brisko {

class Dialogs;

// The exact figures of the three game types (as brisko-analyze rtp prints
// them), made when the game was built.
class ExpectedFigures final : public QObject {
    Q_OBJECT

  public:
    explicit ExpectedFigures(QObject* parent = nullptr) : QObject(parent) {}

    const ExpectedReturns& of(GameType type) const;
};

// An axis of the chart in whole numbers: from at most `low` to at least
// `high` (and at least `minSpan` wide), in steps of 1, 2 or 5 times a power
// of ten, with `ticks` labels, no more than six.
struct WholeAxis {
    int64_t low = 0;
    int64_t high = 0;
    int ticks = 0;
};
WholeAxis wholeAxis(int64_t low, int64_t high, int64_t minSpan);

class StatisticsWindow final : public QWidget {
    Q_OBJECT

  public:
    // Owned by `table`, the game window it follows; the game's texts name
    // the game types and the hands.
    StatisticsWindow(QWidget* table, Statistics& statistics, ExpectedFigures& expected,
                     const Texts& gameTexts, const WindowTexts& texts, Dialogs& dialogs);
    ~StatisticsWindow() override;

    // The trainer's decisions of the game in progress (null: no trainer).
    void setTrainerLog(TrainerLog* log);
    // The table's scale: the window's design lengths and fonts follow it.
    void setScale(int32_t m);
    void applyTexts();
    // Shows the figures as they are now; after every draw.
    void refresh();
    // Where the player last put the window, if anywhere, and else beside the
    // table when the screen has room, where it hides the least of the table
    // otherwise, never over the cards.
    void follow();
    // `parts` tells where the five cards are on the screen, which the window
    // never covers when it places itself, and what else the table shows;
    // `chosen` is the place the player chose, from the table's top-left
    // corner, if any.
    void setPlaceRules(std::function<void(PlaceRoom&)> parts, std::optional<QPoint> chosen);
    // The scope shown: 0 the game in progress, n all the games of type n.
    void showScope(int32_t scope);

    // Writes the draws of the game in progress to a CSV file in the player's
    // language, through a temporary file beside it renamed over it; false,
    // and why in `why`, when the file cannot be written or is the game's own
    // settings file.
    bool exportTo(const QString& path, QString* why = nullptr) const;
    // brisko99-statistics-YYYY-MM-DD.csv in the user's documents folder.
    QString proposedExportPath() const;
    // Asks, then clears the all-time figures.
    void reset();
    void exportDraws();

  signals:
    // The player asks for the review of the mistakes.
    void reviewAsked();
    // The all-time figures, the kept mistakes with them, were cleared.
    void cleared();
    // The player moved the window: `offset` from the table's top-left corner.
    void placeChosen(QPoint offset);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void build();
    // The window's lengths and fonts at the scale `m` (800 the design's).
    void applyScale(int32_t m);
    void addReviewButton(QHBoxLayout& buttons);
    void addDeviation();
    void fillDeviation(const ExpectedReturns& expected);
    void addBand();
    void fillBand();
    void fillFigures(const StatFigures& figures, const ExpectedReturns& expected);
    void fillChart();
    void fillTrainer();
    QString text(WindowTxt key) const;
    QString text(Txt key) const;
    QString percent(const std::optional<Fraction>& value, int32_t places) const;
    // The game in progress (0) or all the games of a game type (1..3).
    int32_t scope() const;
    void setFigure(QLabel* value, WindowTxt name, const QString& figure);

    QWidget* table_;
    std::function<void(PlaceRoom&)> tableParts_;
    std::optional<QPoint> chosen_;
    QPoint placedAt_;  // where the window last placed itself
    bool placing_ = false;
    QElapsedTimer sincePlaced_;  // the window manager's own moves come soon after
    Statistics& statistics_;
    const Texts& gameTexts_;
    const WindowTexts& texts_;
    Dialogs& dialogs_;
    TrainerLog* trainerLog_ = nullptr;
    int32_t m_ = 800;       // the window's scale
    int32_t tableM_ = 800;  // the table's: the window's unless that covers the cards
    ExpectedFigures& expected_;

    QComboBox* scope_ = nullptr;
    QGroupBox* summaryBox_ = nullptr;
    std::array<QLabel*, 4> summaryNames_{};
    std::array<QLabel*, 4> summary_{};
    QTableWidget* hands_ = nullptr;
    QGroupBox* doubleBox_ = nullptr;
    std::array<QLabel*, 6> doubleNames_{};
    std::array<QLabel*, 6> double_{};
    QGroupBox* trainerBox_ = nullptr;
    std::array<QLabel*, 4> trainerNames_{};
    std::array<QLabel*, 4> trainer_{};
    QChartView* chartView_ = nullptr;
    QChart* chart_ = nullptr;
    QLineSeries* credit_ = nullptr;
    QScatterSeries* wins_ = nullptr;
    QValueAxis* drawAxis_ = nullptr;
    QValueAxis* creditAxis_ = nullptr;
    QValueAxis* winAxis_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* review_ = nullptr;
    QLabel* deviationName_ = nullptr;
    QLabel* deviation_ = nullptr;
    QLineSeries* expectedCredit_ = nullptr;
    QLineSeries* band1High_ = nullptr;
    QLineSeries* band1Low_ = nullptr;
    QLineSeries* band2High_ = nullptr;
    QLineSeries* band2Low_ = nullptr;
    QAreaSeries* band1_ = nullptr;
    QAreaSeries* band2_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace brisko
