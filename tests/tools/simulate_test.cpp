// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games through the game table: the same seed plays the same games, and
// the draws return what the exact count of the suggested holds says.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/analyze.h"
#include "tools/simulate.h"

namespace brisko {
namespace {

TEST(Simulate, AgreesWithTheExactReturnOfTheSuggestedHolds) {
    // Game type 3 with the game's suggestion returns 88827093163/83055127155.
    const double exact = 88827093163.0 / 83055127155.0;
    SimulationSetup setup;
    setup.gameType = GameType{3};
    setup.targetIndex = 4;  // 500 draws
    setup.games = 120;
    setup.seed = 99;
    const SimulationResult r = simulate(setup, nullptr);
    EXPECT_EQ(r.draws, 60'000);
    EXPECT_EQ(r.credits, 60'000);
    EXPECT_GT(r.standardError(), 0.005);
    EXPECT_LT(r.standardError(), 0.02);
    EXPECT_NEAR(r.meanReturn(), exact, 4 * r.standardError());
    EXPECT_EQ(r.finals.size(), 120u);
    // Each game's final credit is the start, less the bets, plus the wins.
    int64_t finals = 0;
    for (int32_t f : r.finals) finals += f;
    EXPECT_EQ(finals, 120 * 200 - r.credits + r.won);
}

TEST(Simulate, BetsOfTwentyCredits) {
    SimulationSetup setup;
    setup.gameType = GameType{1};
    setup.targetIndex = 1;  // 50 draws
    setup.games = 3;
    setup.bet = 20;
    setup.strategy = Strategy::Optimal;
    const SimulationResult r = simulate(setup, nullptr);
    EXPECT_EQ(r.draws, 150);
    EXPECT_EQ(r.credits, 150 * 20);
    int64_t finals = 0;
    for (int32_t f : r.finals) finals += f;
    EXPECT_EQ(finals, 3 * 200 - r.credits + r.won);
    // Held well, game type 1 never ends a draw on nothing more often than
    // the exact count says (0.144), give or take.
    EXPECT_LT(r.hits[0], 150 * 0.3);
}

TEST(Simulate, SameSeedSameGames) {
    auto run = [](std::vector<std::string> args) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runAnalyze(args, in, out, err), 0) << err.str();
        return out.str();
    };
    const std::vector<std::string> args{"simulate", "--game-type", "2",      "--target", "1",
                                        "--games",  "20",          "--seed", "7",        "--double",
                                        "always",   "--bet",       "20"};
    const std::string first = run(args);
    EXPECT_EQ(run(args), first);
    std::vector<std::string> other = args;
    other[8] = "8";
    EXPECT_NE(run(other), first);
    EXPECT_NE(first.find("Final credit: mean"), std::string::npos) << first;
    EXPECT_NE(first.find("Hit frequency"), std::string::npos);
    // The unlimited game is stopped after a fixed number of draws, and says so.
    const std::string unlimited = run(
        {"simulate", "--game-type", "1", "--target", "6", "--games", "2", "--strategy", "optimal"});
    EXPECT_NE(unlimited.find("after 1000 draws"), std::string::npos) << unlimited;
    EXPECT_NE(unlimited.find("Final score: mean"), std::string::npos);

    std::istringstream in;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"simulate", "--game-type", "3", "--target", "1"},
             {"simulate", "--game-type", "4", "--target", "1", "--games", "1"},
             {"simulate", "--game-type", "3", "--target", "7", "--games", "1"},
             {"simulate", "--game-type", "3", "--target", "1", "--games", "0"},
             {"simulate", "--game-type", "3", "--target", "1", "--games", "1", "--seed"},
             {"simulate", "--game-type", "3", "--target", "1", "--games", "1", "--bet", "5"},
         }) {
        std::ostringstream o;
        std::ostringstream e;
        EXPECT_EQ(runAnalyze(bad, in, o, e), 2);
        EXPECT_NE(e.str().find("usage"), std::string::npos);
    }
}

}  // namespace
}  // namespace brisko
