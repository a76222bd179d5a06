// SPDX-License-Identifier: GPL-3.0-or-later
// Rounding as the game has always done it: to the nearest integer, an exact
// half going to the even neighbour (112.5 gives 112, 1037.5 gives 1038).
#pragma once

#include <cstdint>

namespace brisko {

// num / den so rounded; den > 0.
constexpr int64_t roundHalfEven(int64_t num, int64_t den) {
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) {
        r += den;
        q -= 1;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) q += 1;
    return q;
}

}  // namespace brisko
