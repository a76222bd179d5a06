// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/held_keys.h"

#include <QCoreApplication>

namespace brisko {

HeldKeys::HeldKeys(QObject* parent) : QObject(parent) {
    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(kPendingMs);
    connect(&pendingTimer_, &QTimer::timeout, this, &HeldKeys::releasePending);
}

void HeldKeys::install(QCoreApplication& app) {
    app.installEventFilter(new HeldKeys(&app));
}

bool HeldKeys::isPendingRelease(const QKeyEvent& event) const {
    return pending_ && pending_->nativeScanCode() == event.nativeScanCode();
}

void HeldKeys::releasePending() {
    pendingTimer_.stop();
    if (!pending_) return;
    const std::unique_ptr<QKeyEvent> release = std::move(pending_);
    down_.remove(release->nativeScanCode());
    if (pendingWindow_) replay(pendingWindow_, *release, false);
}

void HeldKeys::replay(QWindow* window, const QKeyEvent& event, bool autoRepeat) {
    QKeyEvent copy(event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                   event.nativeVirtualKey(), event.nativeModifiers(), event.text(), autoRepeat,
                   event.count(), event.device());
    copy.setTimestamp(event.timestamp());
    QCoreApplication::sendEvent(window, &copy);
}

// The window system's key events reach a window first; what this passes on,
// or sends again (not spontaneous, so never seen twice), goes on to the
// focused control and to the shortcuts.
bool HeldKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease &&
         type != QEvent::ShortcutOverride) ||
        !event->spontaneous()) {
        return false;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const quint32 code = key->nativeScanCode();
    if (!window || code == 0) return false;
    if (pending_ && !isPendingRelease(*key)) releasePending();
    // The press that a shortcut's check announced comes again with its time.
    const ulong since = key->timestamp() - down_.value(code);
    const bool held =
        isPendingRelease(*key) || (down_.contains(code) && since > 0 && since < kQuietMs);
    switch (type) {
        case QEvent::KeyRelease:
            if (key->isAutoRepeat()) return true;
            pending_.reset(key->clone());
            pendingWindow_ = window;
            pendingTimer_.start();
            return true;
        case QEvent::ShortcutOverride:
            // A repeat is no shortcut: it goes on to the focused control.
            if (!held) {
                down_.insert(code, key->timestamp());
                return false;
            }
            event->accept();
            return true;
        default:
            if (isPendingRelease(*key)) {
                pendingTimer_.stop();
                pending_.reset();
            }
            down_.insert(code, key->timestamp());
            if (!held || key->isAutoRepeat()) return false;
            replay(window, *key, true);
            return true;
    }
}

}  // namespace brisko
