// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "engine/hand.h"
#include "helpers.h"
#include "records/memory_store.h"

namespace brisko {
namespace {

struct HighScores : ::testing::Test {
    MemoryStore store;
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};

    HighScores() {
        texts.setLanguage(Language::French);
        records.settings.gameType = GameType{2};
        records.settings.targetIndex = 3;
        records.settings.optionYourName = "PAUL";
    }
    void setList(std::array<int32_t, 5> points) {
        HighScoreList& list = records.currentList();
        for (int r = 1; r <= 5; ++r) list[r] = {points[r - 1], "P" + std::to_string(r)};
    }
    std::array<int32_t, 5> points() {
        std::array<int32_t, 5> out{};
        for (int r = 1; r <= 5; ++r) out[r - 1] = records.currentList()[r].points;
        return out;
    }
};

// The bases and steps of the generated lists, by game type and target.
constexpr int32_t kBase[4][7] = {{},
                                 {0, 8300, 13300, 23300, 53300, 103300, 8300},
                                 {0, 3300, 4300, 6300, 12300, 22300, 2300},
                                 {0, 1300, 1300, 1300, 1300, 1300, 2200}};
constexpr int32_t kStep[4][7] = {{},
                                 {0, 1038, 1662, 2912, 6662, 12912, 1038},
                                 {0, 412, 538, 788, 1538, 2788, 288},
                                 {0, 162, 162, 162, 162, 162, 275}};

TEST_F(HighScores, BasesAndStepsFollowTheRules) {
    for (int t = 1; t <= 3; ++t) {
        for (int i = 1; i <= 6; ++i) {
            const int32_t base = defaultHighScoreBase(GameType{t}, i, records.targetDraws[i]);
            EXPECT_EQ(base, kBase[t][i]) << t << i;
            EXPECT_EQ(defaultHighScoreStep(base), kStep[t][i]) << t << i;
        }
    }
    // Exact halves go to the even neighbour.
    EXPECT_EQ(defaultHighScoreStep(8300), 1038);   // 1037.5
    EXPECT_EQ(defaultHighScoreStep(13300), 1662);  // 1662.5
    EXPECT_EQ(defaultHighScoreStep(2200), 275);
    EXPECT_EQ(defaultHighScoreStep(12), 2);  // 1.5
    EXPECT_EQ(defaultHighScoreStep(20), 2);  // 2.5
    EXPECT_EQ(defaultHighScoreStep(13), 2);  // 1.625
    EXPECT_EQ(defaultHighScoreStep(11), 1);  // 1.375
}

TEST_F(HighScores, DefaultsFromStateZeroAreFixed) {
    records.MakeDefaultHighScores();
    const HighScoreTable first = records.settings.highScores;
    // The first draw out of 10 from state 0 is 1.
    EXPECT_EQ(first[1][1][1].name, "JOHN");

    RandomSource again;
    MemoryStore other;
    Records second(other, again, texts);
    second.MakeDefaultHighScores();
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) {
                EXPECT_EQ(second.settings.highScores[t][i][r].points, first[t][i][r].points);
                EXPECT_EQ(second.settings.highScores[t][i][r].name, first[t][i][r].name);
            }
}

TEST_F(HighScores, DefaultsFollowTheDrawsInTheirOrder) {
    random.randSeed = 123456789;
    RandomSource model{123456789};
    records.MakeDefaultHighScores();
    const HighScoreTable& table = records.settings.highScores;
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) {
                std::string name(defaultNames[static_cast<size_t>(model.randomFrom(10))]);
                for (char& c : name) c = static_cast<char>(std::toupper(c));
                EXPECT_EQ(table[t][i][r].name, name);
            }
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i) {
            int32_t points = kBase[t][i] + model.randomFrom(499);
            EXPECT_EQ(table[t][i][1].points, points);
            for (int r = 2; r <= 5; ++r) {
                points = points - kStep[t][i] - model.randomFrom(kStep[t][i]);
                EXPECT_EQ(table[t][i][r].points, points);
            }
        }
    EXPECT_EQ(random.randSeed, model.randSeed);
}

TEST_F(HighScores, DefaultsTakeExactly180Draws) {
    for (const uint32_t seed : {0u, 1u, 86399999u, 0xFFFFFFFFu}) {
        random.randSeed = seed;
        RandomSource model{seed};
        for (int k = 0; k < 180; ++k) model.randomFrom(2);
        records.MakeDefaultHighScores();
        EXPECT_EQ(random.randSeed, model.randSeed) << seed;
    }
}

TEST_F(HighScores, DefaultListsAreStrictlyDecreasingWithinTheirBounds) {
    std::set<std::string> allowed;
    for (size_t k = 1; k <= 10; ++k) {
        std::string name(defaultNames[k]);
        for (char& c : name) c = static_cast<char>(std::toupper(c));
        allowed.insert(name);
    }
    for (const uint32_t seed : {0u, 7u, 4242u, 86399999u, 0x80000000u}) {
        random.randSeed = seed;
        records.MakeDefaultHighScores();
        for (int t = 1; t <= 3; ++t)
            for (int i = 1; i <= 6; ++i) {
                const HighScoreList& list = records.settings.highScores[t][i];
                EXPECT_GE(list[1].points, kBase[t][i] + 1);
                EXPECT_LE(list[1].points, kBase[t][i] + 499);
                for (int r = 2; r <= 5; ++r) {
                    EXPECT_LE(list[r].points, list[r - 1].points - kStep[t][i] - 1);
                    EXPECT_GE(list[r].points, list[r - 1].points - 2 * kStep[t][i]);
                }
                for (int r = 1; r <= 5; ++r) EXPECT_TRUE(allowed.count(list[r].name));
            }
        EXPECT_TRUE(records.SettingsValid() || records.settings.gameType == GameType{});
    }
    EXPECT_TRUE(allowed.count("GASTON"));
    EXPECT_TRUE(allowed.count("MARYLIN"));
}

TEST_F(HighScores, DefaultsAreSaved) {
    records.MakeDefaultHighScores();
    EXPECT_EQ(store.commits(), 1);
    store.openKey(records.registryKey);
    int32_t points = 0;
    store.readBinary("score365", &points, 4);
    EXPECT_EQ(points, records.settings.highScores[3][6][5].points);
    EXPECT_EQ(store.readString("highScoreName365"), records.settings.highScores[3][6][5].name);
}

TEST_F(HighScores, AScoreEqualToTheFifthDoesNotEnter) {
    setList({5000, 4000, 3000, 2000, 1000});
    EXPECT_EQ(records.InsertHighScore(1000), 0);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{5000, 4000, 3000, 2000, 1000}));
    EXPECT_EQ(store.commits(), 0);
    EXPECT_EQ(records.InsertHighScore(-5), 0);
}

TEST_F(HighScores, OneMoreEntersAtRankFive) {
    setList({5000, 4000, 3000, 2000, 1000});
    EXPECT_EQ(records.InsertHighScore(1001), 5);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{5000, 4000, 3000, 2000, 1001}));
    EXPECT_EQ(records.currentList()[5].name, "PAUL");
}

TEST_F(HighScores, EqualToRankTwoEntersAtThree) {
    setList({5000, 4000, 3000, 2000, 1000});
    EXPECT_EQ(records.InsertHighScore(4000), 3);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{5000, 4000, 4000, 3000, 2000}));
    EXPECT_EQ(records.currentList()[2].name, "P2");  // the older score keeps its rank
    EXPECT_EQ(records.currentList()[3].name, "PAUL");
    EXPECT_EQ(records.currentList()[4].name, "P3");
}

TEST_F(HighScores, AboveAllEntersAtOne) {
    setList({5000, 4000, 3000, 2000, 1000});
    EXPECT_EQ(records.InsertHighScore(9999), 1);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{9999, 5000, 4000, 3000, 2000}));
    EXPECT_EQ(records.currentList()[2].name, "P1");
    EXPECT_EQ(records.currentList()[5].name, "P4");
}

TEST_F(HighScores, AllFiveEqual) {
    setList({1000, 1000, 1000, 1000, 1000});
    EXPECT_EQ(records.InsertHighScore(1000), 0);
    EXPECT_EQ(records.InsertHighScore(1001), 1);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{1001, 1000, 1000, 1000, 1000}));
}

TEST_F(HighScores, NegativeScoresEnterBelowNegativeLists) {
    setList({10, 0, -3, -3, -20});
    EXPECT_EQ(records.InsertHighScore(-3), 5);
    EXPECT_EQ(points(), (std::array<int32_t, 5>{10, 0, -3, -3, -3}));
}

TEST_F(HighScores, OnlyTheCurrentListChanges) {
    records.MakeDefaultHighScores();
    const HighScoreTable before = records.settings.highScores;
    records.InsertHighScore(99999999);
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            if (t != 2 || i != 3) {
                EXPECT_EQ(records.settings.highScores[t][i][1].points, before[t][i][1].points);
            }
    EXPECT_EQ(records.settings.highScores[2][3][1].points, 99999999);
}

TEST_F(HighScores, AnEntryIsSaved) {
    setList({5000, 4000, 3000, 2000, 1000});
    records.settings.optionYourName = "Paul";  // kept as it is
    EXPECT_EQ(records.InsertHighScore(1234), 5);
    EXPECT_EQ(records.currentList()[5].name, "Paul");
    EXPECT_EQ(store.commits(), 1);
    store.openKey(records.registryKey);
    int32_t stored = 0;
    store.readBinary("score235", &stored, 4);
    EXPECT_EQ(stored, 1234);
    EXPECT_EQ(store.readString("highScoreName235"), "Paul");
}

}  // namespace
}  // namespace brisko
