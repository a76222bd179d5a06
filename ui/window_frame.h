// SPDX-License-Identifier: GPL-3.0-or-later
// A window given back from maximised by the window manager returns to the
// normal size the game set, which fills the screen (it must, for a screen
// without a window manager); its frame would then reach past the screen,
// the title bar above its top. For a moment after that, the window is moved
// in and shrunk until its whole frame lies on the screen.
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace brisko {

class FrameKeeper : public QObject {
    Q_OBJECT

  public:
    static void watch(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FrameKeeper(QWidget* window);

    // Runs while the window manager settles the restored window.
    QTimer settling_{this};
};

}  // namespace brisko
