// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/best_hold_marks.h"

#include <QEvent>
#include <algorithm>

#include "engine/hand.h"

namespace brisko {

BestHoldMarks::BestHoldMarks(const std::array<QPushButton*, 6>& buttons, QObject* parent)
    : QObject(parent), buttons_(buttons) {
    for (int32_t slot = 1; slot <= kSlots; ++slot) {
        QPushButton* button = buttons_[size_t(slot)];
        if (!button) continue;
        auto* mark = new QLabel(QStringLiteral("\u2605"), button);
        mark->setObjectName(QString("bestHoldMark%1").arg(slot));
        mark->setAlignment(Qt::AlignCenter);
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->setStyleSheet("color: #d4a017; background: transparent;");
        mark->hide();
        marks_[size_t(slot)] = mark;
        button->installEventFilter(this);
    }
}

void BestHoldMarks::show(HoldMask best) {
    for (int32_t slot = 1; slot <= kSlots; ++slot) {
        QLabel* mark = marks_[size_t(slot)];
        if (!mark) continue;
        place(slot);
        mark->setVisible(holdsSlot(best, slot));
    }
}

bool BestHoldMarks::marked(int32_t slot) const {
    const QLabel* mark = marks_[size_t(slot)];
    return mark && !mark->isHidden();
}

// A star a third of the button high, at the foot of its label.
void BestHoldMarks::place(int32_t slot) {
    QPushButton* button = buttons_[size_t(slot)];
    QLabel* mark = marks_[size_t(slot)];
    const int size = std::max(8, button->height() / 3);
    QFont font = mark->font();
    font.setPixelSize(size);
    mark->setFont(font);
    mark->setGeometry(0, button->height() - size - 1, button->width(), size);
}

bool BestHoldMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (int32_t slot = 1; slot <= kSlots; ++slot) {
            if (buttons_[size_t(slot)] == watched) place(slot);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace brisko
