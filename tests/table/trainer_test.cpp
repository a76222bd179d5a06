// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's verdicts, list and tally on hands whose values are known.
#include <gtest/gtest.h>

#include "table/trainer.h"

namespace brisko {
namespace {

Hand handOf(std::initializer_list<const char*> names) {
    Hand h{};
    int32_t k = 0;
    for (const char* name : names) h[++k] = *parseCard(name);
    return h;
}

class Trainer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { evaluator = new FastEvaluator; }
    static void TearDownTestSuite() { delete evaluator; }
    static inline FastEvaluator* evaluator = nullptr;

    // Four to the royal flush: the four are worth 626/47, the ace and king
    // that the game suggests 8756/16215.
    const DealAnalysis royal =
        analyseDeal(*evaluator, handOf({"AS", "KS", "QS", "JS", "9D"}), GameType::NoJoker);
    // Four sevens: the four and the five cards are both worth 24.
    const DealAnalysis sevens =
        analyseDeal(*evaluator, handOf({"7S", "7H", "7C", "7D", "2S"}), GameType::NoJoker);
};

TEST_F(Trainer, VerdictIsTheCostAtTheBet) {
    EXPECT_EQ(royal.best, 0b01111u);
    const Verdict best = judge(royal, 0b01111, 5);
    EXPECT_TRUE(best.bestPlay);
    EXPECT_EQ(best.cost, Fraction());
    const Verdict suggested = judge(royal, 0b00011, 5);
    EXPECT_FALSE(suggested.bestPlay);
    EXPECT_EQ(suggested.cost, Fraction(207214, 3243));  // (626/47 - 8756/16215) x 5
    EXPECT_EQ(suggested.cost.rounded(2, ','), "63,90");
    // A hold worth as much as the first of the advice is a best play too.
    EXPECT_EQ(sevens.best, 0b01111u);
    EXPECT_TRUE(judge(sevens, 0b11111, 1).bestPlay);
}

TEST_F(Trainer, ListShowsTheBestFiveAndTheCurrentHold) {
    const auto rows = trainerRows(sevens, 0b00000, 3);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].hold, 0b01111u);
    EXPECT_EQ(rows[1].hold, 0b11111u);
    EXPECT_TRUE(rows[0].best && rows[1].best && !rows[2].best);
    EXPECT_EQ(rows[0].perCredit, Fraction(24, 1));
    EXPECT_EQ(rows[0].atBet, Fraction(72, 1));
    EXPECT_EQ(rows[5].hold, 0u);
    EXPECT_TRUE(rows[5].current);
    EXPECT_FALSE(rows[4].current);
    // A current hold among the best five is not shown twice.
    EXPECT_EQ(trainerRows(sevens, 0b11111, 3).size(), 5u);
    // The game's suggestion is marked, and listed last when asked for.
    EXPECT_TRUE(rows[0].suggested);
    EXPECT_EQ(royal.suggested, 0b00011u);
    const auto withSuggestion = trainerRows(royal, 0b00001, 1, 5, true);
    ASSERT_EQ(withSuggestion.size(), 7u);
    EXPECT_EQ(withSuggestion[6].hold, 0b00011u);
    EXPECT_TRUE(withSuggestion[6].suggested);
    EXPECT_EQ(trainerRows(royal, 0b00001, 1).size(), 6u);
}

TEST_F(Trainer, TallyAddsUpTheDecisions) {
    TrainerTally tally;
    EXPECT_EQ(tally.accuracy(), Fraction());
    tally.add(judge(royal, 0b01111, 5));
    tally.add(judge(royal, 0b00011, 5));
    tally.add(judge(royal, 0b00011, 1));
    EXPECT_EQ(tally.decisions(), 3);
    EXPECT_EQ(tally.bestPlays(), 1);
    EXPECT_EQ(tally.givenAway(), Fraction(207214 * 6, 3243 * 5));
    EXPECT_EQ(tally.accuracy().rounded(2), "33.33");
}

}  // namespace
}  // namespace brisko
