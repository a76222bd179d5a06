// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focus_mark.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "ui/contrast.h"

namespace brisko {

namespace {

// The colour painted behind `widget`: that of the nearest parent that fills
// its background.
QColor surroundingColour(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow()) return w->palette().color(QPalette::Window);
    }
    return widget->palette().color(QPalette::Window);
}

void fillBand(QPainter& painter, const QRect& outer, int width, const QColor& colour) {
    const QRect inner = outer.adjusted(width, width, -width, -width);
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), inner.top(), width, inner.height()), colour);
    painter.fillRect(QRect(inner.right() + 1, inner.top(), width, inner.height()), colour);
}

bool isEnterKey(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A repeat of a held key is no shortcut: the menu's function keys and the
// buttons' Alt letters answer a fresh press only. The repeat goes on to the
// focused control as a plain key. The repeats reach the shortcuts through
// the application, before any control of the window sees them.
class HeldKeys : public QObject {
  public:
    explicit HeldKeys(QWidget* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride ||
            !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget ? widget->window() != window_ : watched != window_->windowHandle()) {
            return false;
        }
        event->accept();
        return true;
    }

  private:
    QWidget* window_;
};

// Escape out of a menu leaves the menu bar as well, and the keys go back to
// the control that had them before the menu opened: the next Enter presses
// it, not the menu again.
class MenuEscape : public QObject {
  public:
    explicit MenuEscape(QMenuBar* bar) : QObject(bar), bar_(bar) {}
    void remember() {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus != bar_ && !qobject_cast<QMenu*>(focus->window())) before_ = focus;
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            // The menu gives the bar the keys once it has closed.
            QTimer::singleShot(0, this, [this] {
                if (bar_->hasFocus() && before_) before_->setFocus(Qt::MenuBarFocusReason);
            });
        }
        return false;
    }

  private:
    QMenuBar* bar_;
    QPointer<QWidget> before_;
};

}  // namespace

void FocusMark::leaveMenusOnEscape(QMenuBar* bar) {
    auto* escape = new MenuEscape(bar);
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) {
            menu->installEventFilter(escape);
            QObject::connect(menu, &QMenu::aboutToShow, escape, &MenuEscape::remember);
        }
    }
}

void FocusMark::attach(QWidget* root) {
    auto* mark = new FocusMark(root);
    for (QPushButton* button : root->findChildren<QPushButton*>()) button->installEventFilter(mark);
    for (QRadioButton* button : root->findChildren<QRadioButton*>()) {
        button->installEventFilter(mark);
    }
    QCoreApplication::instance()->installEventFilter(new HeldKeys(root));
}

int FocusMark::bandWidth(const QWidget* button) {
    return std::max(2, button->height() / 12);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
        if (event->type() == QEvent::Paint && radio->hasFocus()) {
            static_cast<QObject*>(radio)->event(event);
            paint(radio, surroundingColour(radio));
            return true;
        }
        return false;
    }
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button) return false;
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
        // A held key presses once.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) button->click();
        return true;
    }
    if (event->type() == QEvent::Paint && button->hasFocus()) {
        // The button paints itself first; the ring goes on top.
        static_cast<QObject*>(button)->event(event);
        paint(button, button->palette().color(QPalette::Button));
        return true;
    }
    return false;
}

QRect FocusMark::ringRect(const QAbstractButton* button) {
    auto* radio = qobject_cast<const QRadioButton*>(button);
    if (!radio) return button->rect();
    // Around the caption, clear of the round mark.
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    const QRect caption =
        radio->style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, radio);
    const int width = 2 * bandWidth(radio);
    return caption.adjusted(-width, -width, width, width) & radio->rect();
}

void FocusMark::paint(QAbstractButton* button, const QColor& face) {
    QPainter painter(button);
    const int width = bandWidth(button);
    const QRect ring = ringRect(button);
    fillBand(painter, ring, width, blackOrWhiteOn(surroundingColour(button)));
    fillBand(painter, ring.adjusted(width, width, -width, -width), width, blackOrWhiteOn(face));
}

}  // namespace brisko
