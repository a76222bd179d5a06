// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/card.h"
#include "engine/hand.h"

namespace brisko {
namespace {

int32_t c(const char* name) {
    return *parseCard(name);
}

std::string suggestionFor(std::initializer_list<const char*> cards) {
    EngineState s;
    int32_t k = 1;
    for (const char* name : cards) s.hand[k++] = c(name);
    evaluateHand(s);
    suggestMarks(s);
    std::string m;
    for (int32_t slot = 1; slot <= kSlots; ++slot) m += s.markedCards[slot] ? '1' : '0';
    return m;
}

TEST(SuggestHolds, WhatThePlayerIsOffered) {
    EXPECT_EQ(suggestionFor({"KS", "8D", "5C", "3H", "2S"}), "10000");
    EXPECT_EQ(suggestionFor({"KS", "AD", "5C", "3H", "2S"}), "11000");
    // A low pair wins over a king beside it.
    EXPECT_EQ(suggestionFor({"5S", "5H", "KC", "8D", "2S"}), "11000");
    EXPECT_EQ(suggestionFor({"2H", "5H", "9H", "JH", "3S"}), "11110");
    // Kings and aces come before four to a flush.
    EXPECT_EQ(suggestionFor({"2H", "5H", "9H", "KH", "3S"}), "00010");
    // Four to a straight is never proposed.
    EXPECT_EQ(suggestionFor({"5S", "6H", "7C", "8D", "2S"}), "00000");
    EXPECT_EQ(suggestionFor({"JK", "QS", "9H", "6C", "3D"}), "10000");
    // The evaluation marked the four sevens; the joker is added.
    EXPECT_EQ(suggestionFor({"7S", "7H", "7C", "7D", "JK"}), "11111");
    EXPECT_EQ(suggestionFor({"AS", "KS", "QS", "JS", "10S"}), "11111");
    EXPECT_EQ(suggestionFor({"8S", "8H", "JK", "2C", "KD"}), "11100");
    EXPECT_EQ(suggestionFor({"AS", "AH", "KC", "KD", "5S"}), "11110");
    EXPECT_EQ(suggestionFor({"QS", "JH", "4C", "7D", "9S"}), "00000");
}

}  // namespace
}  // namespace brisko
