// SPDX-License-Identifier: GPL-3.0-or-later
// The exact expected win of every hold of a dealt hand, counted over every
// draw the game type can make, with its chance of a joker at the draw. The
// window's trainer, brisko-analyze advise and play read these values.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "engine/fast_eval.h"
#include "engine/fraction.h"
#include "engine/hand.h"

namespace brisko {

// A hold as five slot flags: bit k - 1 for slot k.
using HoldMask = uint32_t;
inline constexpr HoldMask kHoldCount = 32;

// The hold of the slots whose flag is set.
constexpr HoldMask holdOf(const SlotFlags& held) {
    HoldMask mask = 0;
    for (int32_t k = 1; k <= kSlots; ++k) mask |= held[k] ? 1u << (k - 1) : 0u;
    return mask;
}

constexpr bool holdsSlot(HoldMask hold, int32_t slot) {
    return (hold >> (slot - 1)) & 1u;
}

// The expected win per credit bet of each of the 32 holds of a dealt hand
// (indexed by HoldMask) in a game type, by counting every possible draw.
// The hand must be one the game type can deal. Holds of fewer than
// `fewestHeld` cards are skipped (left at 0). The evaluator's table is built
// once by the caller and serves every deal.
std::array<Fraction, kHoldCount> holdValues(const FastEvaluator& evaluator, const Hand& dealt,
                                            GameType gameType, int32_t fewestHeld = 0);

// The holds the game suggests for a dealt hand (suggestMarks), as a HoldMask.
HoldMask suggestedHold(const FastEvaluator& evaluator, const Hand& dealt);

// The order of the holds in the advice: the higher value first, between
// equal values the hold of fewer cards, then the lower mask.
template <typename Value>
bool holdComesFirst(const std::array<Value, kHoldCount>& values, HoldMask a, HoldMask b) {
    if (!(values[a] == values[b])) return values[b] < values[a];
    if (std::popcount(a) != std::popcount(b)) return std::popcount(a) < std::popcount(b);
    return a < b;
}

// The first hold in that order: the hold the optimal strategy plays.
template <typename Value>
HoldMask bestHold(const std::array<Value, kHoldCount>& values) {
    HoldMask best = 0;
    for (HoldMask m = 1; m < kHoldCount; ++m) {
        if (holdComesFirst(values, m, best)) best = m;
    }
    return best;
}

// The 32 holds in that order, best first.
std::array<HoldMask, kHoldCount> rankedHolds(const std::array<Fraction, kHoldCount>& values);

}  // namespace brisko
