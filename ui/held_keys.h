// SPDX-License-Identifier: GPL-3.0-or-later
// A key held down presses once, however the window system reports its
// repeats. An X server sends them as a release and a press with the same
// time stamp, which the toolkit does not always mark as repeats; a held key
// on other systems may come as presses without releases. Here a key is down
// from its press to a release that no press of the same key follows within
// a short pending time; a press while it is down reaches the windows marked
// as a repeat, and a repeat's release never reaches them. A key whose
// release went to another program is taken as up once it has been quiet
// longer than any repeat delay. Only the keyboard's own keys are watched
// (those with a scan code).
#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace brisko {

class HeldKeys : public QObject {
    Q_OBJECT

  public:
    // How long a release waits for the press that would make it a repeat.
    static constexpr int kPendingMs = 50;
    // A press this long after the key's last one is a new press.
    static constexpr ulong kQuietMs = 1500;

    explicit HeldKeys(QObject* parent = nullptr);
    // Watches every key of `app` from now on.
    static void install(QCoreApplication& app);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The release held back, delivered now: the key is up.
    void releasePending();
    // `event` to `window` again, as the toolkit would have sent it.
    void replay(QWindow* window, const QKeyEvent& event, bool autoRepeat);
    bool isPendingRelease(const QKeyEvent& event) const;

    // The keys down, by scan code, with the time of their last press.
    QHash<quint32, ulong> down_;
    QPointer<QWindow> pendingWindow_;
    std::unique_ptr<QKeyEvent> pending_;
    QTimer pendingTimer_;
};

}  // namespace brisko
