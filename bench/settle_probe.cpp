// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into a program beside its own main: ends the program the first time
// its event loop waits for the user after a window was painted, so that the
// time of the whole process is the time from the start to a window that
// stops changing (work left for idle turns of the loop still counts). Ends
// with _Exit, so no tear-down is timed.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdlib>

namespace {

class SettleProbe final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watching_) {
            if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance()) {
                watching_ = true;
                connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                    if (painted_) std::_Exit(0);
                });
            }
        }
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            painted_ = true;
        }
        return false;
    }

  private:
    bool watching_ = false;
    bool painted_ = false;
};

void watchForSettling() {
    QCoreApplication::instance()->installEventFilter(new SettleProbe);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForSettling)
