// The program's application object: errors that reach the event loop (the
// settings store's, mostly) are shown to the player and the game goes on.
#pragma once

#include <QApplication>

namespace brisko {

class BriskoApplication : public QApplication {
    Q_OBJECT

  public:
    BriskoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The text of the last error shown, for tests.
    QString lastError() const { return lastError_; }
    // Whether errors open a message box; tests only record them.
    bool showErrors = true;

  private:
    QString lastError_;
};

}  // namespace brisko
