// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: the help file of the player's language, in a window of its
// own centred over the game and kept above it, without a horizontal scroll
// bar, closed by Escape.
#pragma once

#include <QTextBrowser>

namespace brisko {

class HelpViewer : public QTextBrowser {
    Q_OBJECT

  public:
    // `game` is the window the help opens over; `size` the help's size.
    HelpViewer(QWidget* game, QSize size);

    // Shows `file` (its path, when it cannot be read) under `title`.
    void open(const QString& file, const QString& title);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* game_;
    QSize size_;
};

}  // namespace brisko
