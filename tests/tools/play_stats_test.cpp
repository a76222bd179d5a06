// SPDX-License-Identifier: GPL-3.0-or-later
// play's statistics: the counts of scripted games, kept in the store under
// a key of their own across a restart, the game's key left as it was. On
// Windows the store is the registry, never a file of play's.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "records/memory_store.h"
#include "records/registry_text.h"
#include "records/store_messages.h"
#include "table/statistics.h"
#include "tests/records/helpers.h"
#include "tools/analyze.h"

namespace brisko {
namespace {

using Figures = std::map<std::string, std::string>;

struct PlayRun {
    std::string out;
    std::string err;
    Figures stats;
    int32_t credit = 0;  // of the last state line
};

PlayRun play(const std::filesystem::path& store, const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runAnalyze({"play", "--store", store.string()}, in, out, err), 0) << err.str();
    PlayRun run{out.str(), err.str(), {}, 0};
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("phase=", 0) == 0) {
            run.credit = std::stoi(line.substr(line.find("credit=") + 7));
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            run.stats[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return run;
}

// `draws` draws at a bet of 1, each paying one doubled once, then quit
// when the double-up offers again.
std::string draws(int32_t count) {
    std::string script;
    for (int32_t i = 0; i < count; ++i) {
        script +=
            "clock " + std::to_string(1000 + 7919 * i) + "\ndeal\ndeal\ndouble\npick 2\nquit\n";
    }
    return script + "stats\n";
}

int64_t at(const Figures& f, const std::string& key) {
    EXPECT_TRUE(f.count(key)) << key;
    return f.count(key) ? std::stoll(f.at(key)) : -1;
}

const char* const kHands[] = {"nothing",        "kings_or_better", "two_pairs",  "three_of_a_kind",
                              "straight",       "flush",           "full_house", "four_of_a_kind",
                              "straight_flush", "royal_flush"};

// The counts of one scope agree with each other and with the draws played.
void checkScope(const Figures& f, const std::string& p, int64_t draws, int64_t won) {
    EXPECT_EQ(at(f, p + "draws"), draws);
    EXPECT_EQ(at(f, p + "bet"), draws);
    EXPECT_EQ(at(f, p + "won"), won);
    int64_t hands = 0;
    for (const char* h : kHands) hands += at(f, p + "hand." + h);
    EXPECT_EQ(hands, draws);
    // Every paying draw doubles once; a won or tied double is offered again and quit.
    const int64_t taken = at(f, p + "double.taken");
    EXPECT_EQ(taken, draws - at(f, p + "hand.nothing"));
    EXPECT_EQ(taken, at(f, p + "double.won") + at(f, p + "double.tied") + at(f, p + "double.lost"));
    EXPECT_EQ(at(f, p + "double.offered"),
              taken + at(f, p + "double.won") + at(f, p + "double.tied"));
}

std::string gameKeyText(const std::filesystem::path& store) {
    RegTree tree = parseRegistryText(test::readText(store));
    const RegKey* key = tree.find("Software\\Caldimo\\BRISKO 99");
    return key ? formatRegistryText(RegTree{{}, {*key}}) : "";
}

TEST(PlayStats, CountsScriptedGamesAndKeepsThemAcrossARestart) {
    test::TempDir dir;
    const std::filesystem::path store = dir / "user.reg";
    const std::string setup = "type 3\ntarget 1\noption doublage on\nnew\n";

    const PlayRun first = play(store, setup + draws(12));
    checkScope(first.stats, "game.", 12, first.credit - 200 + 12);
    checkScope(first.stats, "all.3.", 12, first.credit - 200 + 12);
    EXPECT_GT(at(first.stats, "game.double.taken"), 0);
    EXPECT_EQ(first.stats.at("game.type"), "3");
    EXPECT_EQ(first.stats.at("game.hand.royal_flush.best"), "0.002045");
    const std::string gameKey = gameKeyText(store);
    ASSERT_NE(gameKey, "");

    // A restart: a new game adds to the figures kept.
    const PlayRun second = play(store, "new\n" + draws(5));
    checkScope(second.stats, "game.", 5, second.credit - 200 + 5);
    checkScope(second.stats, "all.3.", 17, first.credit - 200 + 12 + second.credit - 200 + 5);
    EXPECT_EQ(at(second.stats, "all.2.draws"), 0);
    // The trainer's tally of all games: one decision a draw.
    EXPECT_EQ(at(second.stats, "all.3.trainer.decisions"), 17);
    EXPECT_EQ(at(second.stats, "all.2.trainer.decisions"), 0);

    // The statistics live in a key of their own; the game's holds none of them.
    const RegTree tree = parseRegistryText(test::readText(store));
    const RegKey* statistics = tree.find("Software\\Caldimo\\BRISKO 99\\Statistics");
    ASSERT_NE(statistics, nullptr);
    // The figures of each game type, and the trainer's of the one played.
    std::vector<std::string> names;
    for (const RegValue& value : statistics->values) names.push_back(value.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"Entraineur3", "Erreurs3", "Type1", "Type2", "Type3"}));
    EXPECT_EQ(tree.find("Software\\Caldimo\\BRISKO 99")->find("Type3"), nullptr);

    // A damaged statistics key starts the statistics again, and only them.
    RegTree damaged = parseRegistryText(test::readText(store));
    RegValue* type3 = damaged.find("Software\\Caldimo\\BRISKO 99\\Statistics")->find("Type3");
    type3->data = {1};
    type3->raw.clear();
    test::writeText(store, formatRegistryText(damaged));
    const std::string before = gameKeyText(store);
    const PlayRun third = play(store, "stats\n");
    EXPECT_NE(third.err.find("statistics were damaged"), std::string::npos);
    EXPECT_EQ(at(third.stats, "all.3.draws"), 0);
    EXPECT_EQ(at(third.stats, "all.3.trainer.decisions"), 17);
    EXPECT_EQ(gameKeyText(store), before);
}

// A refused save of the figures names the value of the game type played and
// says, in the player's language, what became of it.
TEST(PlayStats, ARefusedSaveNamesTheGameTypePlayed) {
    MemoryStore store;
    Statistics statistics(store, "Software\\Caldimo\\BRISKO 99\\Statistics");
    statistics.load();
    store.refuseWrites = true;
    DrawRecord record;
    record.gameType = GameType{3};
    record.bet = 1;
    statistics.drawEnded(record);
    const std::optional<StoreError> error = statistics.takeSaveError();
    ASSERT_TRUE(error);
    EXPECT_EQ(storeMessage(*error, Language::English),
              "Erreur à définition des données pour 'Type3'\n"
              "The settings could not be written: permission denied. The save of 'Type3' was "
              "given up: the settings keep what they held, and the game goes on.");
}

}  // namespace
}  // namespace brisko
#endif
