// A table of every hand the game can show, filled once by evaluateHand, so
// that analyses can evaluate millions of hands without running the rules each
// time. The result is the same as evaluateHand's, marks included.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

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
        index += static_cast<uint32_t>(binomial(__builtin_ctzll(mask), i));
    }
    return index;
}

// What evaluateHand leaves, packed: the category, and which cards it marked.
// The marks only ever depend on the ranks (every card of a marked rank is
// marked) and on the joker.
struct FastEvaluation {
    HandCategory category;
    uint8_t marks;     // bit k - 1 for slot k
    int32_t pairRank;  // 13 or 14 with KingsOrBetter, else -1
    bool marked(int32_t slot) const { return (marks >> (slot - 1)) & 1; }
};

// A hand's key: four bits per rank counting its cards, four for the
// joker, and one bit for ordinary cards all of one suit. The evaluation
// depends on nothing else, as the table's filling checks on every hand.
struct RankKeys {
    std::array<uint64_t, 54> key{};
    std::array<uint32_t, 54> suitBit{};
    constexpr RankKeys() {
        for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
            key[c] = uint64_t{1} << (4 * (cardTable[c].rank - 2));
            suitBit[c] = 1u << (cardTable[c].suit - 1);
        }
        key[kJoker] = uint64_t{1} << 52;
    }
};
inline constexpr RankKeys rankKeys{};

class FastEvaluator {
  public:
    // Runs evaluateHand once on every hand (on up to `threads` threads).
    explicit FastEvaluator(int32_t threads = 1);

    // The hand must hold five different card indices 1..53, in any slots.
    FastEvaluation evaluate(const Hand& hand) const {
        uint64_t key = 0;
        uint32_t suits = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            key += rankKeys.key[hand[k]];
            suits |= rankKeys.suitBit[hand[k]];
        }
        const uint32_t entry = lookUp(key | keyOfSuits(suits));
        uint32_t marks = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            marks |= ((entry >> markShift(hand[k])) & 1u) << (k - 1);
        }
        const auto category = static_cast<HandCategory>(entry & 15u);
        const int32_t pair = category != HandCategory::KingsOrBetter ? -1
                             : (entry >> markShift(1)) & 1u          ? 14
                                                                     : 13;
        return {category, static_cast<uint8_t>(marks), pair};
    }

    // The category of the hand at a colexicographic position (see colexOfMask).
    HandCategory categoryAt(uint32_t index) const {
        return static_cast<HandCategory>(table_[index] & 15u);
    }

    static constexpr uint64_t bitOf(int32_t cardIndex) { return uint64_t{1} << (cardIndex - 1); }

  private:
    // Entry bits: 0-3 category, 4 + rank - 2 for a marked rank 2..14, 17 the joker.
    static constexpr uint32_t markShift(int32_t cardIndex) {
        return cardIndex == kJoker ? 17u : static_cast<uint32_t>(cardTable[cardIndex].rank + 2);
    }

    static constexpr uint64_t keyOfSuits(uint32_t suits) {
        return uint64_t{(suits & (suits - 1)) == 0} << 60;
    }

    static constexpr int32_t kSlotBits = 15;
    static constexpr uint64_t kEmpty = ~uint64_t{0};
    static uint32_t slotOf(uint64_t key) {
        return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits));
    }
    uint32_t lookUp(uint64_t key) const {
        uint32_t slot = slotOf(key);
        while (keys_[slot] != key) slot = (slot + 1) & ((1u << kSlotBits) - 1);
        return values_[slot];
    }
    void insert(uint64_t key, uint32_t entry);

    std::vector<uint32_t> table_;  // by colexicographic position
    // About ten thousand keys, open addressing: small enough to stay in cache.
    std::vector<uint64_t> keys_;
    std::vector<uint32_t> values_;
};

}  // namespace brisko
