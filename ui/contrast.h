// SPDX-License-Identifier: GPL-3.0-or-later
// How well one colour reads on another, as the WCAG measure it: 1 (the same
// luminance) to 21 (black on white). Captions want 4.5 or more, marks 3.
#pragma once

#include <QColor>

namespace brisko {

// Relative luminance, 0 for black to 1 for white.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever stands out more against `colour`.
QColor blackOrWhiteOn(const QColor& colour);

}  // namespace brisko
