// SPDX-License-Identifier: GPL-3.0-or-later
// Push buttons a keyboard player can aim at and press. Return and keypad
// Enter press the focused button, as Space does; a held key presses once;
// and the focused button (a radio button too) wears
// a thick two-tone ring, so that the player sees the focus the double-up
// moves from button to button every half second. The ring's outer band is
// black or white, whichever stands out on the panel around the button, its
// inner band the same against the button's face: it shows on every colour.
#pragma once

#include <QObject>

class QAbstractButton;
class QColor;
class QMenuBar;
class QRect;
class QWidget;

namespace brisko {

class FocusMark : public QObject {
    Q_OBJECT

  public:
    // Every push button under `root`, made now, gets the keys and the mark;
    // every radio button the mark. Held keys repeat no shortcut of `root`.
    static void attach(QWidget* root);
    // Escape out of a menu of `bar` gives the keys back to the control that
    // had them before the menu opened.
    static void leaveMenusOnEscape(QMenuBar* bar);
    // The width of each of the ring's two bands on `button`.
    static int bandWidth(const QWidget* button);
    // Where the ring goes: around a push button, around a radio button's
    // caption.
    static QRect ringRect(const QAbstractButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
    // The ring, its inner band set off against `face`.
    static void paint(QAbstractButton* button, const QColor& face);
};

}  // namespace brisko
