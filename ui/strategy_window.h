// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy chart of the game type in play, in a window of its own: its
// sections and lines, its exceptions, and its return beside the best play's
// and the game's suggestion's; printed, or written to a PDF file. While the
// chart is being made the window says so and fills once it is ready.
#pragma once

#include <QString>
#include <QWidget>

#include "contract/texts.h"
#include "engine/strategy.h"
#include "ui/window_texts.h"

class QPagedPaintDevice;
class QPushButton;
class QTextBrowser;

namespace brisko {

class Dialogs;
class StrategyCharts;

// The chart as a page of HTML in the language's words and decimal point.
QString strategyChartHtml(const StrategyChart& chart, Language language);

class StrategyWindow final : public QWidget {
    Q_OBJECT

  public:
    // Owned by `table`, the game window; the charts come from `charts`.
    StrategyWindow(QWidget* table, StrategyCharts& charts, const WindowTexts& texts,
                   Dialogs& dialogs);

    // The chart of that game type, or that it is being made.
    void showType(GameType type);
    GameType gameType() const { return type_; }
    // Whether the chart is shown (not being made, not failed).
    bool hasChart() const { return chart_ != nullptr; }
    void applyTexts();
    // The table's scale: the window's design lengths and fonts follow it.
    void setScale(int32_t m);

    // The chart on a printer or a PDF writer, in pages.
    void printTo(QPagedPaintDevice& device) const;
    // Writes the chart as a PDF file through a temporary file renamed over
    // it; false, and why in `why`, when it cannot be written.
    bool exportPdf(const QString& path, QString* why = nullptr) const;
    // The printer's dialog, then the chart printed.
    void print();
    // A file chosen in the save box, then written.
    void exportPdfAsked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fill();
    QString text(WindowTxt key) const { return q(texts_[key]); }
    static QString q(const std::string& text) { return QString::fromStdString(text); }
    QString title() const;

    StrategyCharts& charts_;
    const WindowTexts& texts_;
    Dialogs& dialogs_;
    GameType type_ = GameType::NoJoker;
    bool typeShown_ = false;
    const StrategyChart* chart_ = nullptr;  // owned by the charts

    QTextBrowser* page_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace brisko
