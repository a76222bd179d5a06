// SPDX-License-Identifier: GPL-3.0-or-later
// The review of the player's mistakes: those of the game in progress, or
// those kept for all the games of a game type; for each the deal, the hold
// made, the best hold, what it cost at the bet and the strategy chart's line
// that plays it right. A mistake chosen is dealt again to practise.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "contract/texts.h"
#include "table/statistics.h"
#include "ui/window_texts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace brisko {

class StrategyCharts;

class ReviewWindow final : public QWidget {
    Q_OBJECT

  public:
    // Owned by `table`, the game window; `practise` asks the table to deal
    // the chosen mistake again. The charts give the lines as they are made.
    ReviewWindow(QWidget* table, Statistics& statistics, TrainerLog& log, StrategyCharts& charts,
                 const Texts& gameTexts, const WindowTexts& texts, std::function<void()> practise);

    void applyTexts();
    void setScale(int32_t m);
    // The list as it is now; after every draw.
    void refresh();
    // 0 the game in progress, n the mistakes kept for game type n.
    void showScope(int32_t scope);
    int32_t scope() const;
    // The game type of the game in progress, for the charts' lines.
    void setGameType(GameType type) { gameType_ = type; }

    const std::vector<Mistake>& mistakes() const { return mistakes_; }
    // The mistake of the row chosen, if any.
    std::optional<Mistake> chosen() const;
    void choose(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString text(WindowTxt key) const { return QString::fromStdString(texts_[key]); }
    GameType scopeType() const;

    Statistics& statistics_;
    TrainerLog& log_;
    StrategyCharts& charts_;
    const Texts& gameTexts_;
    const WindowTexts& texts_;
    std::function<void()> practise_;
    GameType gameType_ = kDefaultGameType;
    std::vector<Mistake> mistakes_;

    QComboBox* scope_ = nullptr;
    QTableWidget* list_ = nullptr;
    QLabel* none_ = nullptr;
    QPushButton* practiseButton_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace brisko
