// SPDX-License-Identifier: GPL-3.0-or-later
// The card pictures: each image rendered from its vectors at the picture's
// size in device pixels, so that a card is sharp at any scale, and kept, so
// that a deal paints in one frame even at 4K (a court card takes tens of
// milliseconds to render there). The rest are rendered while the window is
// idle.
#pragma once

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <QTimer>
#include <functional>
#include <utility>

#include "contract/texts.h"

namespace brisko {

class CardRenderer : public QObject {
  public:
    explicit CardRenderer(QObject* parent = nullptr);

    // The image of that name ("PIQUE12") at `pixels` device pixels; null when
    // there is no such image.
    QPixmap render(const QString& name, QSize pixels, qreal ratio);
    // The size in device pixels, and the device pixel ratio, the pictures
    // have now.
    using PictureSize = std::function<std::pair<QSize, qreal>()>;
    // Renders, one per idle turn of the event loop, every image a game in
    // that language can show, at the size the pictures have at that turn,
    // unless that has begun already.
    void warmUp(Language language, PictureSize size);
    // Drops every image and stops warming up.
    void clear();

  private:
    void warmNext();

    QSvgRenderer svg_;
    QHash<QString, QPixmap> cache_;
    QSize cacheSize_;
    QStringList toWarm_;
    PictureSize warmSize_;
    QTimer warmTimer_{this};
};

}  // namespace brisko
