// SPDX-License-Identifier: GPL-3.0-or-later
// How the table, drawn for an 800 x 600 screen, is fitted to the real one.
#pragma once

#include <cstdint>

#include "engine/rounding.h"

namespace brisko {

// A screen in device-independent pixels and its logical pixels per inch.
struct ScreenMetrics {
    int32_t width = 800;
    int32_t height = 600;
    double dpi = 96.0;
};
// The primary screen's, as the toolkit reports it.
ScreenMetrics primaryScreenMetrics();

inline constexpr int32_t kDesignWidth = 800;
inline constexpr int32_t kDesignHeight = 600;
// The window's client area at design size.
inline constexpr int32_t kClientWidth = 800;
inline constexpr int32_t kClientHeight = 534;

struct ScreenScale {
    int32_t m = kDesignWidth;   // the reference width the table is drawn for
    int32_t h = kDesignHeight;  // the screen height at 96 pixels per inch
    int32_t cardWidth = 90;
    int32_t cardHeight = 150;
    int32_t frameWidth = 110;  // ConteneurC
    int32_t frameHeight = 170;
    int32_t pictureLeft = 10;  // PictureC inside its frame
    int32_t pictureTop = 10;

    // A design length (position, size or font height) at this scale.
    int32_t length(int32_t design) const {
        return static_cast<int32_t>(roundHalfEven(int64_t{design} * m, kDesignWidth));
    }
};

// The scale for a screen of width x height device-independent pixels at `dpi`
// logical pixels per inch. The reference width is the width, or the height's
// 4:3 width when that is smaller, so a wide screen still shows the whole table.
ScreenScale screenScale(int32_t width, int32_t height, double dpi);

// The narrowest reference width a window shrinks the table to (or the
// screen's, when that is narrower still).
inline constexpr int32_t kSmallestWidth = 560;

// The scale of the table in a client area of width x height pixels: the
// screen's `start` scale when the whole table fits, else the reference width
// at which it just fits, the cards keeping the proportions of the start's.
// Never below kSmallestWidth (nor above the start).
ScreenScale fitScale(const ScreenScale& start, int32_t width, int32_t height);

}  // namespace brisko
