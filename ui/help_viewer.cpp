// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_viewer.h"

#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>

namespace brisko {

HelpViewer::HelpViewer(QWidget* game, QSize size) : QTextBrowser(game), game_(game), size_(size) {
    setObjectName("helpViewer");
    // A window of its own that the window manager keeps above the game (a
    // dialog's, not a plain window's, names the game as the one it serves).
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    // Only our own help file is ever shown: a link, even in an edited copy
    // of it, opens nothing.
    setOpenExternalLinks(false);
    setOpenLinks(false);
}

void HelpViewer::open(const QString& file, const QString& title) {
    QFile source(file);
    if (source.open(QIODevice::ReadOnly)) {
        setHtml(QString::fromUtf8(source.readAll()));
    } else {
        setPlainText(file);
    }
    setWindowTitle(title);

    // The text wraps to the window, but a table laid out at some widths
    // runs a pixel or so past them: the window widens until nothing does,
    // within the screen, so that no horizontal scroll bar shows.
    // Measured on a copy: the browser lays its own document out lazily.
    ensurePolished();
    const std::unique_ptr<QTextDocument> text(document()->clone());
    const QRect screen = game_->screen()->availableGeometry();
    const int chrome = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    int width = std::min(size_.width(), screen.width());
    for (int tries = 0; tries < 8 && width < screen.width(); ++tries) {
        text->setTextWidth(width - chrome);
        const int overflow = int(std::ceil(text->size().width())) - (width - chrome);
        if (overflow <= 0) break;
        width = std::min(width + overflow, screen.width());
    }
    resize(width, std::min(size_.height(), screen.height()));

    const QPoint centre = game_->isVisible() ? game_->frameGeometry().center() : screen.center();
    move(centre - rect().center());
    show();
    raise();
    activateWindow();
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

}  // namespace brisko
