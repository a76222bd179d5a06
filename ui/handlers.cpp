// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handlers.h"

#include <QAbstractButton>
#include <QAction>
#include <QString>
#include <QTimer>

#include "ui/figures.h"
#include "ui/widgets.h"

namespace brisko {

void connectRoutes(QObject& window, const std::function<void(Handler)>& run) {
    for (const Route& route : kRoutes) {
        const QString name = q(route.sender);
        QObject* sender = window.findChild<QObject*>(name);
        if (!sender) qFatal("The game window has no %s", qPrintable(name));
        auto fire = [run, handler = route.handler] { run(handler); };
        if (auto* button = qobject_cast<QAbstractButton*>(sender)) {
            QObject::connect(button, &QAbstractButton::clicked, &window, fire);
        } else if (auto* panel = qobject_cast<Panel*>(sender)) {
            QObject::connect(panel, &Panel::clicked, &window, fire);
        } else if (auto* picture = qobject_cast<CardPicture*>(sender)) {
            QObject::connect(picture, &CardPicture::clicked, &window, fire);
        } else if (auto* action = qobject_cast<QAction*>(sender)) {
            QObject::connect(action, &QAction::triggered, &window, fire);
        } else if (auto* timer = qobject_cast<QTimer*>(sender)) {
            QObject::connect(timer, &QTimer::timeout, &window, fire);
        } else {
            qFatal("The game window's %s fires no handler", qPrintable(name));
        }
    }
}

}  // namespace brisko
