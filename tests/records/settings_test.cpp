// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "helpers.h"
#include "records/memory_store.h"
#include "records/settings_table.h"

namespace brisko {
namespace {

using test::bytes;

constexpr uint32_t kDarkBlue = 4194304;

struct Fixture : ::testing::Test {
    MemoryStore store;
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};

    Fixture() { texts.setLanguage(Language::French); }

    // A second program run on the same store.
    Records freshRecords() { return Records(store, random, texts); }

    std::vector<uint8_t> stored(const std::string& name) {
        store.openKey(records.registryKey);
        const RegValue* value = store.value(name);
        return value ? value->data : std::vector<uint8_t>{};
    }
    std::string storedString(const std::string& name) {
        store.openKey(records.registryKey);
        return store.readString(name);
    }
    void put(const std::string& name, std::vector<uint8_t> data, uint32_t type = kRegBinary) {
        store.openKey(records.registryKey);
        store.put(name, type, std::move(data));
    }
    // A first run, then a player who made a score under his own name.
    void playedBefore() {
        records.LoadSettings();
        records.settings.optionYourName = "PAUL";
        records.settings.gameType = GameType{3};
        records.settings.targetIndex = 4;
        records.settings.optionBarreInfo = 0;
        records.currentList()[1] = {999999, "PAUL"};
        records.SaveSettings();
    }
};

TEST(StoredValues, TheTableListsThe188ValuesInTheirOrder) {
    const auto& table = storedValues();
    ASSERT_EQ(table.size(), kStoredValueCount);
    const char* head[] = {"verif",
                          "optionDoublagePropose",
                          "optionSuggestionCartes",
                          "optionCouleurFondEcran",
                          "optionBarreInfo",
                          "niveau",
                          "optionObjectifNbTirages"};
    for (size_t k = 0; k < 7; ++k) EXPECT_EQ(table[k].name, head[k]);
    EXPECT_EQ(table[7].name, "score111");
    EXPECT_EQ(table[8].name, "highScoreName111");
    EXPECT_EQ(table[9].name, "score112");
    EXPECT_EQ(table[17].name, "score121");
    EXPECT_EQ(table[186].name, "highScoreName365");
    EXPECT_EQ(table[187].name, "optionYourName");
    std::set<std::string> names;
    size_t strings = 0;
    for (const StoredValue& v : table) {
        names.insert(v.name);
        if (v.kind == ValueKind::String) {
            ++strings;
            EXPECT_EQ(v.width, 0u);
        } else {
            EXPECT_TRUE(v.width == 1 || v.width == 4) << v.name;
        }
    }
    EXPECT_EQ(names.size(), 188u);
    EXPECT_EQ(strings, 91u);
    for (const char* one :
         {"verif", "optionDoublagePropose", "optionSuggestionCartes", "optionBarreInfo"}) {
        EXPECT_EQ(table[static_cast<size_t>(
                            std::find_if(table.begin(), table.end(),
                                         [&](const StoredValue& v) { return v.name == one; }) -
                            table.begin())]
                      .width,
                  1u);
    }
}

TEST_F(Fixture, FirstRunWritesEveryDefault) {
    records.LoadSettings();
    const Settings& s = records.settings;
    EXPECT_EQ(s.verif, 1);
    EXPECT_EQ(s.optionDoublagePropose, 1);
    EXPECT_EQ(s.optionSuggestionCartes, 1);
    EXPECT_EQ(s.optionCouleurFondEcran, kDarkBlue);
    EXPECT_EQ(s.optionBarreInfo, 1);
    EXPECT_EQ(s.gameType, GameType{2});
    EXPECT_EQ(s.targetIndex, 1);
    EXPECT_EQ(s.optionYourName, "");
    EXPECT_TRUE(records.SettingsValid());
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) EXPECT_FALSE(s.highScores[t][i][r].name.empty());

    // The key holds 188 values, in the load order, of the right kinds and widths.
    store.openKey(records.registryKey);
    ASSERT_EQ(store.values().size(), 188u);
    for (size_t k = 0; k < 188; ++k) {
        const StoredValue& v = storedValues()[k];
        const RegValue& value = store.values()[k];
        EXPECT_EQ(value.name, v.name);
        if (v.kind == ValueKind::Binary) {
            EXPECT_EQ(value.type, kRegBinary) << v.name;
            EXPECT_EQ(value.data.size(), v.width) << v.name;
        } else {
            EXPECT_EQ(value.type, kRegSz) << v.name;
        }
    }
    EXPECT_EQ(stored("verif"), bytes({1}));
    EXPECT_EQ(stored("optionCouleurFondEcran"), bytes({0x00, 0x00, 0x40, 0x00}));
    EXPECT_EQ(stored("niveau"), bytes({2, 0, 0, 0}));
    EXPECT_EQ(stored("optionObjectifNbTirages"), bytes({1, 0, 0, 0}));
    EXPECT_EQ(stored("optionYourName"), bytes({0, 0}));
}

TEST_F(Fixture, EveryLoadSetsTheDrawTargets) {
    records.targetDraws = {9, 9, 9, 9, 9, 9, 9};
    records.LoadSettings();
    EXPECT_EQ(records.targetDraws, (std::array<int32_t, 7>{0, 50, 100, 200, 500, 1000, 0}));
}

TEST_F(Fixture, ASecondRunKeepsEverything) {
    playedBefore();
    const Settings before = records.settings;
    Records next = freshRecords();
    const int commits = store.commits();
    next.LoadSettings();
    EXPECT_EQ(store.commits(), commits);  // nothing to write
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
    EXPECT_EQ(next.settings.gameType, GameType{3});
    EXPECT_EQ(next.settings.targetIndex, 4);
    EXPECT_EQ(next.settings.optionBarreInfo, 0);
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) {
                EXPECT_EQ(next.settings.highScores[t][i][r].points,
                          before.highScores[t][i][r].points);
                EXPECT_EQ(next.settings.highScores[t][i][r].name, before.highScores[t][i][r].name);
            }
}

// Each damage, on a store that held a player's name and score, resets it all.
struct BadStore {
    const char* name;
    const char* value;
    std::vector<uint8_t> data;
};

class BadStoreTest : public Fixture, public ::testing::WithParamInterface<BadStore> {};

TEST_P(BadStoreTest, ResetsEverything) {
    playedBefore();
    put(GetParam().value, GetParam().data);
    Records next = freshRecords();
    next.LoadSettings();
    const Settings& s = next.settings;
    EXPECT_EQ(s.optionYourName, "");
    EXPECT_EQ(s.gameType, GameType{2});
    EXPECT_EQ(s.targetIndex, 1);
    EXPECT_EQ(s.optionBarreInfo, 1);
    EXPECT_EQ(s.optionDoublagePropose, 1);
    EXPECT_EQ(s.optionSuggestionCartes, 1);
    EXPECT_EQ(s.optionCouleurFondEcran, kDarkBlue);
    EXPECT_EQ(s.verif, 1);
    EXPECT_NE(s.highScores[3][4][1].name, "PAUL");
    EXPECT_LT(s.highScores[3][4][1].points, 1800);
    EXPECT_TRUE(next.SettingsValid());
    // The defaults are stored back, and the next run keeps them.
    EXPECT_EQ(stored("verif"), bytes({1}));
    EXPECT_EQ(stored("niveau"), bytes({2, 0, 0, 0}));
    EXPECT_EQ(storedString("optionYourName"), "");
    const int32_t generated = s.highScores[1][1][1].points;
    Records third = freshRecords();
    third.LoadSettings();
    EXPECT_EQ(third.settings.highScores[1][1][1].points, generated);
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadStoreTest,
    ::testing::Values(BadStore{"MarkerZero", "verif", bytes({0})},
                      BadStore{"MarkerTwo", "verif", bytes({2})},
                      BadStore{"GameTypeZero", "niveau", bytes({0, 0, 0, 0})},
                      BadStore{"GameTypeFour", "niveau", bytes({4, 0, 0, 0})},
                      BadStore{"GameTypeNegative", "niveau", bytes({0xFF, 0xFF, 0xFF, 0xFF})},
                      BadStore{"TargetZero", "optionObjectifNbTirages", bytes({0, 0, 0, 0})},
                      BadStore{"TargetSeven", "optionObjectifNbTirages", bytes({7, 0, 0, 0})},
                      BadStore{"DoubleUpTwo", "optionDoublagePropose", bytes({2})},
                      BadStore{"SuggestionTwo", "optionSuggestionCartes", bytes({2})},
                      BadStore{"InfoBarTwo", "optionBarreInfo", bytes({2})},
                      BadStore{"ListRises", "score124", bytes({0xFF, 0xFF, 0xFF, 0x7F})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Fixture, AMarkerOtherThanZeroOrOneResetsOnlyOnce) {
    playedBefore();
    put("verif", bytes({5}));
    freshRecords().LoadSettings();
    EXPECT_EQ(stored("verif"), bytes({1}));  // the reset sets the marker too
    Records next = freshRecords();
    next.LoadSettings();
    next.settings.optionYourName = "PAUL";
    next.SaveSettings();
    Records third = freshRecords();
    third.LoadSettings();
    EXPECT_EQ(third.settings.optionYourName, "PAUL");
}

TEST_F(Fixture, EqualNeighboursPass) {
    playedBefore();
    const auto rank3 = stored("score123");
    put("score124", rank3);
    put("score125", rank3);
    Records next = freshRecords();
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
    EXPECT_EQ(next.settings.highScores[1][2][4].points, next.settings.highScores[1][2][3].points);
}

TEST_F(Fixture, AnyColourPasses) {
    playedBefore();
    for (const uint32_t colour : {0xFFFFFFFFu, 0x12345678u, 0u}) {
        put("optionCouleurFondEcran", bytes({int(colour & 0xFF), int((colour >> 8) & 0xFF),
                                             int((colour >> 16) & 0xFF), int(colour >> 24)}));
        Records next = freshRecords();
        next.LoadSettings();
        EXPECT_EQ(next.settings.optionCouleurFondEcran, colour);
        EXPECT_EQ(next.settings.optionYourName, "PAUL");
    }
}

TEST_F(Fixture, AShorterBinaryFillsOnlyTheFirstBytes) {
    records.LoadSettings();  // colour 00 00 40 00 in memory
    put("optionCouleurFondEcran", bytes({0x11, 0x22}));
    put("score111", bytes({0x01}));  // points were > 4300: their high bytes stay
    const int32_t points = records.settings.highScores[1][1][1].points;
    records.LoadSettings();
    EXPECT_EQ(records.settings.optionCouleurFondEcran, 0x00402211u);
    EXPECT_EQ(records.settings.highScores[1][1][1].points, (points & ~0xFF) | 0x01);
}

TEST_F(Fixture, AnEmptyBinaryLeavesTheField) {
    records.LoadSettings();
    put("niveau", {});
    records.settings.gameType = GameType{3};
    records.LoadSettings();
    EXPECT_EQ(records.settings.gameType, GameType{3});
}

// A value of the wrong type is named, counts as absent, and is never written
// over: the values after it are read, and the next saves keep every score.
TEST_F(Fixture, AWrongTypeIsNamedCountsAsAbsentAndCostsNothingElse) {
    playedBefore();
    put("niveau", bytes({3, 0, 0, 0}), kRegDword);
    put("score341", bytes({0x3f, 0x42, 0x0f, 0, 0, 0, 0, 0}), 0xb);  // a best score too
    put("optionDoublagePropose", bytes({0}));
    Records next = freshRecords();
    try {
        next.LoadSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(),
                     "Type de données incorrect pour 'niveau'\n"
                     "Type de données incorrect pour 'score341'");
    }
    EXPECT_EQ(next.settings.gameType, kDefaultGameType);
    EXPECT_EQ(next.settings.optionDoublagePropose, 0);
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
    EXPECT_EQ(next.settings.highScores[3][4][1].name, "PAUL");
    EXPECT_EQ(next.settings.highScores[3][4][2].points,
              records.settings.highScores[3][4][2].points);
    next.SaveSettings();  // F5, OK in the dialog, ...
    next.SaveSettings();
    EXPECT_EQ(store.value("niveau")->type, kRegDword);
    EXPECT_EQ(store.value("score341")->type, 0xbu);
    EXPECT_EQ(storedString("optionYourName"), "PAUL");
    EXPECT_EQ(storedString("highScoreName342"), records.settings.highScores[3][4][2].name);
    // Chosen by the player, it is written.
    next.settings.gameType = GameType{1};
    next.SaveSettings();
    EXPECT_EQ(store.value("niveau")->type, kRegBinary);
    EXPECT_EQ(stored("niveau"), bytes({1, 0, 0, 0}));
}

TEST_F(Fixture, EveryKindOfWrongValueRaisesTheTypeError) {
    struct Case {
        const char* value;
        uint32_t type;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"verif", kRegBinary, bytes({1, 0})},  // longer than the field
        {"score111", kRegBinary, bytes({1, 2, 3, 4, 5})},
        {"optionCouleurFondEcran", kRegDword, bytes({0, 0, 0x40, 0})},
        {"niveau", kRegSz, stringData("2")},
        {"highScoreName111", kRegBinary, bytes({65, 0})},
        {"optionYourName", kRegDword, bytes({0, 0, 0, 0})},
        {"optionYourName", kRegMultiSz, stringData("PAUL")},
        {"score365", 0xb, bytes({1, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        MemoryStore fresh;
        Records r(fresh, random, texts);
        r.LoadSettings();
        fresh.put(c.value, c.type, c.data);
        try {
            r.LoadSettings();
            ADD_FAILURE() << c.value << ": no error";
        } catch (const StoreError& error) {
            EXPECT_EQ(error.what(),
                      "Type de données incorrect pour '" + std::string(c.value) + "'");
        }
    }
}

TEST_F(Fixture, AnExpandableStringReadsAsText) {
    playedBefore();
    put("optionYourName", stringData("MARC"), kRegExpandSz);
    Records next = freshRecords();
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "MARC");
}

TEST_F(Fixture, ARefusedSaveRaisesTheErrorNamingItsFirstValueAndChangesNothing) {
    records.LoadSettings();
    const auto before = store.tree().keys.front().values;
    records.settings.optionYourName = "PAUL";
    store.refuseWrites = true;
    try {
        records.SaveSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(), "Erreur à définition des données pour 'verif'");
    }
    store.refuseWrites = false;
    EXPECT_EQ(storedString("optionYourName"), "");

    store.refuseName = "score245";  // refused in the middle: still nothing written
    EXPECT_THROW(records.SaveSettings(), StoreError);
    EXPECT_EQ(storedString("optionYourName"), "");
    EXPECT_EQ(store.tree().keys.front().values.size(), before.size());
}

TEST_F(Fixture, TheKeyIsComposedFromTheTitle) {
    records.LoadSettings();
    ASSERT_EQ(store.tree().keys.size(), 1u);
    EXPECT_EQ(store.tree().keys[0].path, "Software\\Caldimo\\BRISKO 99");
}

}  // namespace
}  // namespace brisko
