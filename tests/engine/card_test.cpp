// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/card.h"

namespace brisko {
namespace {

TEST(CardTable, IndexSuitValueAndRankAgree) {
    for (int32_t index = 1; index <= kOrdinaryCards; ++index) {
        const card& c = cardTable[index];
        EXPECT_EQ(c.suit, suitOfIndex(index));
        EXPECT_EQ(c.value, valueOfIndex(index));
        EXPECT_EQ(cardIndex(c.suit, c.value), index);
        EXPECT_EQ(c.rank, c.value == 1 ? 14 : c.value);
    }
    EXPECT_EQ(cardTable[kJoker].suit, kJokerSuit);
    EXPECT_EQ(cardTable[kJoker].value, 15);
    EXPECT_EQ(cardTable[kJoker].rank, 15);
    // Going back from 53 gives suit 5: only the suit counts for the joker.
    EXPECT_EQ(suitOfIndex(kJoker), kJokerSuit);
    EXPECT_EQ(cardIndex(1, 1), 1);    // ace of spades
    EXPECT_EQ(cardIndex(2, 13), 26);  // king of hearts
    EXPECT_EQ(cardIndex(3, 1), 27);   // ace of clubs
    EXPECT_EQ(cardIndex(4, 13), 52);  // king of diamonds
}

TEST(CardNames, ParseAndNameRoundTrip) {
    for (int32_t index = 1; index <= kJoker; ++index) {
        EXPECT_EQ(parseCard(cardName(index)), index) << cardName(index);
        EXPECT_EQ(parseCard(std::to_string(index)), index);
    }
    EXPECT_EQ(parseCard("as"), 1);
    EXPECT_EQ(parseCard("10H"), cardIndex(2, 10));
    EXPECT_EQ(parseCard("qc"), cardIndex(3, 12));
    EXPECT_EQ(parseCard("Jk"), kJoker);
    EXPECT_EQ(cardName(cardIndex(4, 11)), "JD");
}

TEST(CardNames, RejectsWhatIsNotACard) {
    for (const char* bad : {"", "0", "54", "1S", "11S", "ZS", "AX", "A", "10", "010", "AS ", "JKR",
                            "-1", "+5", "KSS"}) {
        if (std::string(bad) == "10") continue;  // index 10, the ten of spades
        EXPECT_FALSE(parseCard(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_EQ(parseCard("10"), 10);
}

}  // namespace
}  // namespace brisko
