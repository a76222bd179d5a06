// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_frame.h"

#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <algorithm>

namespace brisko {

namespace {

// Moves `window` in and shrinks it so that its frame lies in the screen's
// free area, when it is in its normal state and does not already.
void keepFrameOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen || window->windowState() != Qt::WindowNoState) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (area.contains(frame)) return;
    const QSize chrome = frame.size() - window->size();
    const QSize size = window->size().boundedTo(area.size() - chrome);
    const QSize outer = size + chrome;
    window->resize(size);
    window->move(std::clamp(frame.x(), area.left(), area.left() + area.width() - outer.width()),
                 std::clamp(frame.y(), area.top(), area.top() + area.height() - outer.height()));
}

}  // namespace

FrameKeeper::FrameKeeper(QWidget* window) : QObject(window) {
    settling_.setSingleShot(true);
    settling_.setInterval(2000);
}

void FrameKeeper::watch(QWidget* window) {
    window->installEventFilter(new FrameKeeper(window));
}

bool FrameKeeper::eventFilter(QObject* watched, QEvent* event) {
    auto* window = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::WindowStateChange: {
            const auto* change = static_cast<QWindowStateChangeEvent*>(event);
            if ((change->oldState() & Qt::WindowMaximized) &&
                window->windowState() == Qt::WindowNoState) {
                settling_.start();
                keepFrameOnScreen(window);
            } else {
                settling_.stop();
            }
            break;
        }
        case QEvent::Move:
        case QEvent::Resize:
            if (settling_.isActive()) keepFrameOnScreen(window);
            break;
        default:
            break;
    }
    return false;
}

}  // namespace brisko
