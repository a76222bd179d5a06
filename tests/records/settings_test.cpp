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

// A value that cannot be read costs only itself: the store's own line, then
// what the game did, in the player's language; the rest is kept, and the
// mended values are written back.
struct Unreadable {
    const char* name;
    const char* value;
    uint32_t type;
    std::vector<uint8_t> data;
    const char* did;  // the French line's account of it
};

class UnreadableValue : public Fixture, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(UnreadableValue, CostsOnlyItself) {
    const Unreadable& u = GetParam();
    playedBefore();
    const Settings before = records.settings;
    put(u.value, u.data, u.type);
    Records next = freshRecords();
    std::string message;
    try {
        next.LoadSettings();
    } catch (const StoreError& error) {
        message = error.what();
    }
    EXPECT_TRUE(message.starts_with("Type de données incorrect pour '" + std::string(u.value) +
                                    "'\nLes réglages contiennent des valeurs d'un type ou d'une "
                                    "longueur incorrects. Illisible : '" +
                                    u.value + "'. "))
        << message;
    EXPECT_NE(message.find(u.did), std::string::npos) << message;
    const Settings& s = next.settings;
    EXPECT_EQ(s.verif, 1);
    size_t changed = 0;
    for (const StoredValue& v : storedValues()) {
        const bool same = v.kind == ValueKind::String ? textField(s, v) == textField(before, v)
                                                      : binaryField(s, v) == binaryField(before, v);
        if (!same) ++changed;
    }
    if (std::string_view(u.value).starts_with("score") ||
        std::string_view(u.value).starts_with("highScoreName")) {
        // Its entry dropped, the four others of the list move up.
        EXPECT_LE(changed, 10u);
        EXPECT_EQ(s.highScores[3][4][1].points, before.highScores[3][4][2].points);
    } else {
        // The option or the name alone took its default (PAUL's game type 3
        // becomes 2; the marker and the colour were their defaults already).
        EXPECT_LE(changed, 1u);
        EXPECT_EQ(s.highScores[3][4][1].name, "PAUL");
    }
    EXPECT_TRUE(next.SettingsValid());
    // Written back mended: the next run reads it cleanly and the same.
    Records third = freshRecords();
    EXPECT_NO_THROW(third.LoadSettings());
    EXPECT_EQ(third.settings.highScores[3][4][1].points, s.highScores[3][4][1].points);
    EXPECT_EQ(third.settings.gameType, s.gameType);
}

INSTANTIATE_TEST_SUITE_P(
    Records, UnreadableValue,
    ::testing::Values(
        Unreadable{"MarkerEmpty", "verif", kRegBinary, {}, "'verif' prend sa valeur par défaut"},
        Unreadable{"MarkerLong", "verif", kRegBinary, bytes({1, 0}), "'verif' prend sa valeur"},
        Unreadable{"GameTypeShort", "niveau", kRegBinary, bytes({1}), "'niveau' prend sa valeur"},
        Unreadable{"GameTypeDword", "niveau", kRegDword, bytes({3, 0, 0, 0}),
                   "'niveau' prend sa valeur"},
        Unreadable{"TargetAsText", "optionObjectifNbTirages", kRegSz, stringData("4"),
                   "'optionObjectifNbTirages' prend sa valeur"},
        Unreadable{"ColourShort", "optionCouleurFondEcran", kRegBinary, bytes({0x11, 0x22}),
                   "'optionCouleurFondEcran' prend sa valeur"},
        Unreadable{"ScoreShort", "score341", kRegBinary, bytes({1}),
                   "perdent cette entrée : type de jeu 3, 500 tirages, rang 1."},
        Unreadable{"ScoreQword", "score341", 0xb, bytes({0x3f, 0x42, 0x0f, 0, 0, 0, 0, 0}),
                   "perdent cette entrée : type de jeu 3, 500 tirages, rang 1."},
        Unreadable{"NameBinary", "highScoreName341", kRegBinary, bytes({65, 0}),
                   "perdent cette entrée : type de jeu 3, 500 tirages, rang 1."},
        Unreadable{"PlayerDword", "optionYourName", kRegDword, bytes({0, 0, 0, 0}),
                   "'optionYourName' prend sa valeur"}),
    [](const auto& info) { return std::string(info.param.name); });

// Dropped from its list, an entry leaves the others in order; the end of the
// list is an invented entry, never above the one before it.
TEST_F(Fixture, AnUnreadableScoreDropsItsEntryAndTheOthersMoveUp) {
    playedBefore();
    const HighScoreList list = records.settings.highScores[1][2];
    put("score122", bytes({1}));
    Records next = freshRecords();
    EXPECT_THROW(next.LoadSettings(), StoreError);
    const HighScoreList& now = next.settings.highScores[1][2];
    EXPECT_EQ(now[1].points, list[1].points);
    EXPECT_EQ(now[1].name, list[1].name);
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(now[r].points, list[r + 1].points);
        EXPECT_EQ(now[r].name, list[r + 1].name);
    }
    EXPECT_LE(now[5].points, now[4].points);
    EXPECT_FALSE(now[5].name.empty());
    EXPECT_EQ(next.settings.highScores[3][4][1].name, "PAUL");
}

// Told once, in English in an English game, once the language is chosen.
TEST_F(Fixture, TheLoadTellsInThePlayersLanguageOnceItIsChosen) {
    playedBefore();
    put("niveau", bytes({3, 0, 0, 0}), kRegDword);
    texts.setLanguage(Language::None);
    Records next = freshRecords();
    EXPECT_NO_THROW(next.LoadSettings());  // before the choice
    texts.setLanguage(Language::English);
    try {
        next.LoadSettings();
        FAIL() << "not told";
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(),
                     "Type de données incorrect pour 'niveau'\n"
                     "The settings hold values of a wrong type or length. Could not be read: "
                     "'niveau'. 'niveau' takes its default value. All else is kept.");
    }
    EXPECT_NO_THROW(next.LoadSettings());  // told once
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
            EXPECT_TRUE(std::string(error.what())
                            .starts_with("Type de données incorrect pour '" + std::string(c.value) +
                                         "'\nLes réglages "))
                << error.what();
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
        EXPECT_STREQ(error.what(),
                     "Erreur à définition des données pour 'verif'\n"
                     "Les réglages n'ont pas pu être écrits : permission refusée. "
                     "L'enregistrement de 'verif' est abandonné : les réglages gardent ce "
                     "qu'ils avaient, et le jeu continue.");
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
