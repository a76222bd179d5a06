// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/card_renderer.h"

#include <QPainter>

#include "ui/card_images.h"

namespace brisko {

CardRenderer::CardRenderer(QObject* parent) : QObject(parent) {
    warmTimer_.setInterval(0);
    connect(&warmTimer_, &QTimer::timeout, this, &CardRenderer::warmNext);
}

QPixmap CardRenderer::render(const QString& name, QSize pixels, qreal ratio) {
    if (pixels != cacheSize_) {
        cache_.clear();
        cacheSize_ = pixels;
    }
    if (const auto it = cache_.constFind(name); it != cache_.constEnd()) return *it;
    if (!svg_.load(QString::fromStdString(cardImagePath(name.toStdString())))) return {};
    QPixmap pixmap(pixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg_.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels) / ratio));
    painter.end();
    cache_.insert(name, pixmap);
    return pixmap;
}

void CardRenderer::warmUp(Language language, PictureSize size) {
    if (!toWarm_.isEmpty() || !cache_.isEmpty()) return;
    for (int32_t suit = 1; suit <= 5; ++suit) {
        for (int32_t value = 1; value <= (suit == 5 ? 1 : 13); ++value) {
            toWarm_ << QString::fromStdString(cardImageName(suit, value, language));
        }
    }
    warmSize_ = std::move(size);
    warmTimer_.start();
}

void CardRenderer::warmNext() {
    if (toWarm_.isEmpty()) {
        warmTimer_.stop();
        return;
    }
    const auto [pixels, ratio] = warmSize_();
    render(toWarm_.takeFirst(), pixels, ratio);
}

void CardRenderer::clear() {
    warmTimer_.stop();
    toWarm_.clear();
    cache_.clear();
}

}  // namespace brisko
