// SPDX-License-Identifier: GPL-3.0-or-later
// The program's application object: it names the program for the desktop
// and shows errors that reach the event loop (the settings store's, mostly)
// to the player, and the game goes on.
#pragma once

#include <QApplication>

namespace brisko {

class BriskoApplication : public QApplication {
    Q_OBJECT

  public:
    // The program's name, its desktop entry and icon, the Fusion style, keys
    // that press once however long they are held. No display name: the
    // window system would append it to every caption.
    BriskoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The text of the last error shown, for tests.
    QString lastError() const { return lastError_; }
    // Whether errors open a message box; tests only record them.
    bool showErrors = true;

  private:
    QString title_;
    QString lastError_;
};

}  // namespace brisko
