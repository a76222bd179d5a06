// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scaling.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace brisko {

namespace {

// trunc(pixels x 96 / dpi); exact for whole dpi values.
int32_t at96(int64_t pixels, double dpi) {
    if (dpi == std::floor(dpi) && dpi > 0) {
        return static_cast<int32_t>(pixels * 96 / static_cast<int64_t>(dpi));
    }
    return static_cast<int32_t>(std::floor(static_cast<double>(pixels) * 96.0 / dpi + 1e-9));
}

// The card sizes that go with the reference width m and height h.
ScreenScale scaleFor(int32_t m, int32_t h) {
    ScreenScale s;
    s.m = m;
    s.h = h;
    s.cardWidth = static_cast<int32_t>(roundHalfEven(int64_t{90} * s.m, 800));
    s.cardHeight = static_cast<int32_t>(roundHalfEven(int64_t{150} * s.h, 600));
    s.frameWidth = static_cast<int32_t>(int64_t{20} * s.m / 800) + s.cardWidth;
    s.frameHeight = static_cast<int32_t>(int64_t{20} * s.h / 600) + s.cardHeight;
    s.pictureLeft = static_cast<int32_t>(roundHalfEven(int64_t{10} * s.m, 800));
    s.pictureTop = static_cast<int32_t>(roundHalfEven(int64_t{10} * s.h, 600));
    return s;
}

}  // namespace

ScreenScale screenScale(int32_t width, int32_t height, double dpi) {
    // min(W, H x 4 / 3) x 96 / P, in thirds so that nothing is lost to rounding.
    const int64_t thirds = std::min(int64_t{width} * 3, int64_t{height} * 4);
    const auto m = static_cast<int32_t>(
        dpi == std::floor(dpi) && dpi > 0
            ? thirds * 96 / (3 * static_cast<int64_t>(dpi))
            : static_cast<int64_t>(std::floor(static_cast<double>(thirds) * 32.0 / dpi + 1e-9)));
    return scaleFor(m, at96(height, dpi));
}

ScreenScale fitScale(const ScreenScale& start, int32_t width, int32_t height) {
    const int64_t byHeight = int64_t{height} * kClientWidth / kClientHeight;
    const int64_t fits = std::min({int64_t{start.m}, int64_t{width}, byHeight});
    const int64_t m =
        std::clamp(fits, int64_t{std::min(start.m, kSmallestWidth)}, int64_t{start.m});
    if (m == start.m) return start;
    return scaleFor(static_cast<int32_t>(m), static_cast<int32_t>(start.h * m / start.m));
}

ScreenMetrics primaryScreenMetrics() {
    ScreenMetrics m;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m.width = screen->size().width();
        m.height = screen->size().height();
        m.dpi = screen->logicalDotsPerInch();
    }
    return m;
}

}  // namespace brisko
