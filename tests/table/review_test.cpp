// SPDX-License-Identifier: GPL-3.0-or-later
// What the review and the statistics keep of the trainer across games, and
// the credit a game is expected to reach.
#include <gtest/gtest.h>

#include <cmath>

#include "fake_view.h"
#include "table/statistics.h"
#include "table/trainer.h"

namespace brisko::testing {
namespace {

TEST(KeptMistakes, TheNewestSurviveAReloadAndGoWithTheReset) {
    // The clock never moves: every deal is the same hand.
    Game g({.targetIndex = kUnlimitedTarget, .doubleUp = false});
    const std::string key = statisticsKeyOf(g.world->records.registryKey);
    DealAnalyst analyst;
    TrainerLog log(analyst);
    Statistics statistics(g.store, key);
    statistics.load();
    statistics.followTrainer(&log);
    g.table().listen(statistics);
    g.table().listen(log);

    g.table().dealOrDraw();
    const DealAnalysis& deal = analyst.analyse(g.cards().hand, GameType::NoJoker);
    const HoldMask best = deal.best;
    const HoldMask wrong = best == 0 ? 1 : 0;
    const Fraction cost = deal.values[best] - deal.values[wrong];
    for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = holdsSlot(best, k);
    g.table().dealOrDraw();
    for (int32_t draw = 2; draw <= 102; ++draw) {
        g.table().dealOrDraw();
        for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = holdsSlot(wrong, k);
        g.table().dealOrDraw();
    }
    ASSERT_EQ(log.mistakes().size(), 101u);
    const TrainerTally tally = statistics.trainerTally(GameType::NoJoker);
    EXPECT_EQ(tally.decisions(), 102);
    EXPECT_EQ(tally.bestPlays(), 1);
    EXPECT_EQ(tally.givenAway(), cost * Fraction(101, 1));
    const std::vector<Mistake> kept = statistics.keptMistakes(GameType::NoJoker);
    ASSERT_EQ(kept.size(), kKeptMistakes);
    EXPECT_EQ(kept.front().drawNumber, 3);
    EXPECT_EQ(kept.back(), log.mistakes().back());
    EXPECT_EQ(kept.back().held, wrong);
    EXPECT_EQ(kept.back().best, best);
    EXPECT_EQ(kept.back().cost, cost);
    EXPECT_EQ(statistics.trainerTally(GameType::JokerPossible).decisions(), 0);

    Statistics reloaded(g.store, key);
    EXPECT_FALSE(reloaded.load());
    EXPECT_EQ(reloaded.allTimeTrainer(), statistics.allTimeTrainer());

    // A damaged list costs only itself.
    g.store.openKey(key);
    const uint8_t bad[] = {1, 2, 3};
    g.store.writeBinary("Erreurs3", bad, sizeof bad);
    Statistics damaged(g.store, key);
    EXPECT_FALSE(damaged.load());
    EXPECT_TRUE(damaged.keptMistakes(GameType::NoJoker).empty());
    EXPECT_EQ(damaged.trainerTally(GameType::NoJoker).decisions(), 102);
    EXPECT_EQ(damaged.allTime(), statistics.allTime());

    statistics.resetAllTime();
    Statistics reset(g.store, key);
    reset.load();
    EXPECT_EQ(reset.allTimeTrainer(), AllTimeTrainer{});
}

TEST(KeptMistakes, NothingIsWrittenForTheTrainerUntilItJudges) {
    Game g({.doubleUp = false});
    const std::string key = statisticsKeyOf(g.world->records.registryKey);
    Statistics statistics(g.store, key);
    statistics.load();
    g.table().listen(statistics);
    g.playHand(nothing());
    g.store.openKey(key);
    uint8_t byte = 0;
    EXPECT_FALSE(g.store.readBinaryLength("Entraineur3", &byte, 1));
    EXPECT_FALSE(g.store.readBinaryLength("Erreurs3", &byte, 1));
    EXPECT_TRUE(g.store.readBinaryLength("Type3", &byte, 1));
}

TEST(CreditForecast, FollowsTheBetsOfTheGame) {
    const GameReturn& best = exactReturns(GameType::NoJoker)[0];
    const double r = static_cast<double>(best.perCredit.value());
    const double sd = best.standardDeviation;
    std::vector<DrawRecord> draws(3);
    draws[0].bet = 1;
    draws[1].bet = 5;
    draws[2].bet = 5;
    const std::vector<CreditForecast> along = forecastCredits(best, draws);
    ASSERT_EQ(along.size(), 4u);
    EXPECT_EQ(along[0].expected, 200);
    EXPECT_EQ(along[0].deviation, 0);
    EXPECT_NEAR(along[3].expected, 200 + 11 * (r - 1), 1e-9);
    EXPECT_NEAR(along[3].deviation, sd * std::sqrt(51.0), 1e-9);
    EXPECT_NEAR(along[3].high(2) - along[3].low(2), 4 * along[3].deviation, 1e-9);
    const CreditForecast flat = forecastCredit(best, 200, 100, 5);
    EXPECT_NEAR(flat.expected, 200 + 500 * (r - 1), 1e-9);
    EXPECT_NEAR(flat.deviation, 5 * sd * 10, 1e-9);
}

}  // namespace
}  // namespace brisko::testing
