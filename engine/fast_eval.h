// SPDX-License-Identifier: GPL-3.0-or-later
// Every hand's evaluation in one table read, so that analyses can evaluate
// millions of hands without running the rules each time. The table is made
// from evaluateHand when the game is built (engine/make_fast_eval_table.cpp),
// and the result is the same as evaluateHand's, marks included.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "engine/hand.h"

namespace brisko {

// Hands of five different cards among the 53: 2,598,960 of ordinary cards and
// 270,725 with the joker.
inline constexpr int32_t kHandsWithoutJoker = 2'598'960;
inline constexpr int32_t kEveryHand = 2'869'685;

// Binomial coefficients C(n, k) for n <= 53, k <= 5.
struct Binomials {
    std::array<std::array<int64_t, 6>, 54> c{};
    constexpr Binomials() {
        for (int32_t n = 0; n <= 53; ++n) {
            c[n][0] = 1;
            for (int32_t k = 1; k <= 5 && k <= n; ++k) {
                c[n][k] = (n > 0 ? c[n - 1][k - 1] : 0) + (k <= n - 1 ? c[n - 1][k] : 0);
            }
        }
    }
    constexpr int64_t operator()(int32_t n, int32_t k) const {
        return k < 0 || k > 5 || n < k ? 0 : c[n][k];
    }
};
inline constexpr Binomials binomial{};

// Position of a set of cards among the sets of its size, in colexicographic
// order: sum of C(c_i, i) over the cards c_1 < c_2 < ... numbered from 0
// (card index - 1). Five-card sets with the joker (bit 52) come right after
// the 2,598,960 ordinary ones.
inline uint32_t colexOfMask(uint64_t mask) {
    uint32_t index = 0;
    for (int32_t i = 1; mask != 0; ++i, mask &= mask - 1) {
        index += static_cast<uint32_t>(binomial(std::countr_zero(mask), i));
    }
    return index;
}

// What evaluateHand leaves, in the 16 bits of a table entry: bits 0-3 the
// category, 4-8 the marks (bit k + 3 for slot k), 12-15 the pair rank + 1.
class FastEvaluation {
  public:
    constexpr FastEvaluation(HandCategory category, uint32_t marks, int32_t pairRank)
        : bits_(static_cast<uint32_t>(category) | marks << 4 |
                static_cast<uint32_t>(pairRank + 1) << 12) {}
    constexpr explicit FastEvaluation(uint16_t bits) : bits_(bits) {}

    constexpr HandCategory category() const { return static_cast<HandCategory>(bits_ & 15u); }
    // Bit k - 1 for slot k.
    constexpr uint32_t marks() const { return (bits_ >> 4) & 31u; }
    constexpr bool marked(int32_t slot) const { return (bits_ >> (slot + 3)) & 1u; }
    // 13 or 14 with KingsOrBetter, else -1.
    constexpr int32_t pairRank() const { return (bits_ >> 12) - 1; }
    constexpr uint16_t bits() const { return static_cast<uint16_t>(bits_); }

  private:
    uint32_t bits_;  // 16 bits used; 32 spare the callers 16-bit operations
};

// The card of `rank` (2..14) for slot 1..5 of a hand whose ordinary cards
// must not share one suit: the suits go round with the slots, so that
// neighbouring slots differ.
constexpr int32_t mixedSuitCard(int32_t rank, int32_t slot) {
    return cardIndex((slot - 1) % 4 + 1, rank == 14 ? 1 : rank);
}

// A hand's place in the evaluation table. The evaluation depends only on the
// rank in each slot (the joker counting as a fourteenth rank) and on whether
// the ordinary cards share one suit; the exhaustive test checks this on every
// hand. So the place is the five ranks as the digits of a number in base 14,
// slot 1 the highest digit, plus 14^5 when the suits agree: 1,075,648 places.
class HandKey {
  public:
    static constexpr uint32_t kRanks = 14;
    static constexpr uint32_t kOneSuit = kRanks * kRanks * kRanks * kRanks * kRanks;
    static constexpr uint32_t kPlaces = 2 * kOneSuit;

    // The key of no card yet; add the cards slot by slot, five at most.
    constexpr HandKey() = default;
    constexpr HandKey with(int32_t cardIndex) const {
        const uint32_t key = kSlotKeys[static_cast<size_t>(slots_)][static_cast<size_t>(cardIndex)];
        return HandKey(sum_ + key, suits_ & key, slots_ + 1);
    }
    // A card of `rank` in the next slot, in mixed suits (mixedSuitCard).
    constexpr HandKey withRank(int32_t rank) const { return with(mixedSuitCard(rank, slots_ + 1)); }
    // The place of the five cards added.
    constexpr uint32_t index() const {
        return (sum_ & 0xFFFFFu) + ((suits_ >> 28) != 0 ? kOneSuit : 0u);
    }

  private:
    constexpr HandKey(uint32_t sum, uint32_t suits, int32_t slots)
        : sum_(sum), suits_(suits), slots_(slots) {}

    // By slot 0..4 and card: bits 0-19 the card's digit, rank - 2 (13 for the
    // joker) times its power of 14; bits 28-31 its suit, all four for the
    // joker. The digits add up to less than 2^20, and the sum of the suit bits
    // only spoils the bits above.
    static constexpr std::array<std::array<uint32_t, 54>, kSlots> kSlotKeys = [] {
        std::array<std::array<uint32_t, 54>, kSlots> keys{};
        uint32_t power = kOneSuit;
        for (auto& slot : keys) {
            power /= kRanks;
            for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
                const auto digit = static_cast<uint32_t>(cardTable[c].rank - 2);
                slot[static_cast<size_t>(c)] = digit * power | 1u << (27 + cardTable[c].suit);
            }
            slot[kJoker] = (kRanks - 1) * power | 0xFu << 28;
        }
        return keys;
    }();

    uint32_t sum_ = 0;
    uint32_t suits_ = ~0u;
    int32_t slots_ = 0;
};

// FastEvaluation bits by place, made when the game is built; 0 where no hand
// lies.
extern const uint16_t kFastEvaluationTable[HandKey::kPlaces];

class FastEvaluator {
  public:
    // Reads the table made at build time: nothing to fill, nothing to free.
    FastEvaluator() = default;

    // The hand's place in the table: the one thing looked up for a hand.
    static uint32_t placeOf(const Hand& hand) {
        HandKey key;
        for (int32_t k = 1; k <= kSlots; ++k) key = key.with(hand[k]);
        return key.index();
    }

    // The hand must hold five different card indices 1..53.
    FastEvaluation evaluate(const Hand& hand) const {
        return FastEvaluation(table_[placeOf(hand)]);
    }

    // The category of the hand at a place of the table (placeOf, HandKey).
    HandCategory categoryAt(uint32_t index) const {
        return FastEvaluation(table_[index]).category();
    }

    // Places in the table, the unused ones included.
    size_t size() const { return HandKey::kPlaces; }

    static constexpr uint64_t bitOf(int32_t cardIndex) { return uint64_t{1} << (cardIndex - 1); }

  private:
    const uint16_t* table_ = kFastEvaluationTable;
};

}  // namespace brisko
