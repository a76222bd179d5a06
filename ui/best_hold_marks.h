// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's mark of the best hold on the table: a small star at the foot
// of the hold button of each card the best hold keeps. It follows the
// buttons as the table scales and reads nothing from them.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <array>

#include "engine/hold_values.h"

namespace brisko {

class BestHoldMarks final : public QObject {
    Q_OBJECT

  public:
    // The hold buttons of slots 1..5 (entry 0 unused).
    explicit BestHoldMarks(const std::array<QPushButton*, 6>& buttons, QObject* parent = nullptr);

    // The cards of `best` marked; 0 marks none.
    void show(HoldMask best);
    bool marked(int32_t slot) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place(int32_t slot);

    std::array<QPushButton*, 6> buttons_{};
    std::array<QLabel*, 6> marks_{};
};

}  // namespace brisko
