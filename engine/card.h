// SPDX-License-Identifier: GPL-3.0-or-later
// Cards, card indices and the per-slot arrays of a hand.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brisko {

inline constexpr int32_t kSlots = 5;
inline constexpr int32_t kOrdinaryCards = 52;
inline constexpr int32_t kJoker = 53;
inline constexpr int32_t kJokerSuit = 5;

struct card {
    int32_t suit;   // 1 spades, 2 hearts, 3 clubs, 4 diamonds, 5 joker
    int32_t value;  // 1 ace .. 13 king, 15 joker
    int32_t rank;   // 2 .. 14 (ace high), 15 joker
};

// A card is named by its index 1..53: (suit - 1) * 13 + value, 53 being the joker.
constexpr int32_t cardIndex(int32_t suit, int32_t value) {
    return (suit - 1) * 13 + value;
}
constexpr int32_t suitOfIndex(int32_t index) {
    return (index + 12) / 13;
}
constexpr int32_t valueOfIndex(int32_t index) {
    return (index + 12) % 13 + 1;
}

// The 53 card records, indexed by card index (entry 0 is unused).
struct CardTable {
    std::array<card, 54> cards{};
    constexpr const card& operator[](int32_t index) const { return cards[index]; }
};

constexpr CardTable buildCardTable() {
    CardTable t;
    for (int32_t s = 1; s <= 4; ++s) {
        for (int32_t v = 1; v <= 13; ++v) {
            t.cards[cardIndex(s, v)] = card{s, v, v == 1 ? 14 : v};
        }
    }
    t.cards[kJoker] = card{kJokerSuit, 15, 15};
    return t;
}

// Never changes once built, so one shared constant serves every game.
inline constexpr CardTable cardTable = buildCardTable();

// Per-slot arrays are 1-based like the slots on the table: entry 0 is unused.
using Hand = std::array<int32_t, kSlots + 1>;
using SlotFlags = std::array<bool, kSlots + 1>;

// Card names as players write them: rank then suit (AS, 10H, QC, 2d), JK for the
// joker, or a card index 1..53. Returns nothing for anything else.
std::optional<int32_t> parseCard(std::string_view word);
// The name of a card index in the form parseCard reads (AS, 10H, JK).
std::string cardName(int32_t index);

}  // namespace brisko
