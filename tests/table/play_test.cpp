// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze play, driven through string streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/hand.h"
#include "tools/play.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "records/store_owner.h"
#endif

namespace brisko {
namespace {

struct Session {
    int status = 0;
    std::vector<std::string> lines;
    std::string err;
};

Session play(const std::string& script, const std::vector<std::string>& args = {}) {
    std::istringstream in(script);
    std::ostringstream out, err;
    Session run;
    run.status = runPlay(in, out, err, args);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    run.err = err.str();
    return run;
}

// The fields of a state line by name; result keeps its quotes off.
std::map<std::string, std::string> fields(const std::string& line) {
    std::map<std::string, std::string> f;
    const size_t result = line.find(" result=\"");
    std::istringstream words(line.substr(0, result));
    for (std::string w; words >> w;) {
        const size_t eq = w.find('=');
        f[w.substr(0, eq)] = w.substr(eq + 1);
    }
    if (result != std::string::npos) {
        f["result"] = line.substr(result + 9, line.size() - result - 10);
    }
    return f;
}

int number(const std::string& line, const char* field) {
    return std::stoi(fields(line)[field]);
}

TEST(Play, ANewGameAndItsFirstDeal) {
    const Session run = play("type 3\nnew\nclock 777\ndeal\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(run.lines[1],
              "phase=1 credit=200 bet=1 draw=0 win=0 hand=1,1,1,1,1 held=00000 result=\" Bet ! "
              "(button BET 1 or BET + and BET 20) then click on the DEAL button!\"");
    EngineState expected;
    dealHand(expected, GameType{3}, FixedClock(777));
    std::string hand;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (k > 1) hand += ',';
        hand += std::to_string(expected.hand[k]);
    }
    const auto f = fields(run.lines[3]);
    EXPECT_EQ(f.at("phase"), "2");
    EXPECT_EQ(f.at("credit"), "199");
    EXPECT_EQ(f.at("draw"), "1");
    EXPECT_EQ(f.at("hand"), hand);
    EXPECT_EQ(f.at("result"),
              " Click on the buttons below the cards (or just on the cards) to hold or throw "
              "them. Then click on the DEAL button...");
}

TEST(Play, FrenchTextsEscapeTheLineFeed) {
    const Session run = play("lang 1\nnew\n");
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(fields(run.lines[1]).at("result"),
              " Faites vos enchères (boutons MISE 1 ou MISE + et MISE 20).\\n"
              "Appuyez ensuite sur le bouton JOUER.");
}

TEST(Play, HoldsAndBets) {
    const Session run =
        play("option suggestion off\ntype 3\nnew\nbet+\nbet+\ndeal\nhold 2\nhold 5\nhold 5\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 9u);
    EXPECT_EQ(number(run.lines[3], "bet"), 2);
    EXPECT_EQ(number(run.lines[3], "credit"), 198);
    EXPECT_EQ(number(run.lines[4], "bet"), 3);
    EXPECT_EQ(number(run.lines[4], "credit"), 197);
    EXPECT_EQ(number(run.lines[5], "credit"), 197);
    EXPECT_EQ(fields(run.lines[6]).at("held"), "01000");
    EXPECT_EQ(fields(run.lines[7]).at("held"), "01001");
    EXPECT_EQ(fields(run.lines[8]).at("held"), "01000");
    const Session again = play("option suggestion off\nnew\ndeal\nhold 2\nhold 2\nbet20\n");
    EXPECT_EQ(fields(again.lines[4]).at("held"), "00000");
    // BET 20 is not taken while the cards are out: the line is the same.
    EXPECT_EQ(again.lines[5], again.lines[4]);
}

// Plays a whole game, answering every offer with `answer`; returns the lines.
std::vector<std::string> wholeGame(const std::string& settings, int draws,
                                   const std::string& answer, Session* out = nullptr) {
    std::string script = settings + "new\n";
    for (int i = 0; i < draws; ++i) {
        script += "clock " + std::to_string(1000 + 7919 * i) + "\ndeal\ndeal\n";
        script += answer;
    }
    script += "deal\n";
    Session run = play(script);
    EXPECT_EQ(run.status, 0) << run.err;
    if (out != nullptr) *out = run;
    return run.lines;
}

TEST(Play, AWholeGameOfEveryTypeAndTargetEndsAtItsTarget) {
    const int targets[] = {0, 50, 100, 200, 500, 1000};
    for (int type = 1; type <= 3; ++type) {
        for (int target = 1; target <= 5; ++target) {
            const std::string settings = "type " + std::to_string(type) + "\ntarget " +
                                         std::to_string(target) +
                                         "\nname anna\noption doublage off\n";
            const std::vector<std::string> lines = wholeGame(settings, targets[target], "");
            const std::string& last = lines.back();
            EXPECT_EQ(number(last, "draw"), targets[target]);
            EXPECT_EQ(fields(last).at("phase"), "1");
            EXPECT_NE(last.find("PRESS THE KEY F2 OR F3 TO START A NEW GAME"), std::string::npos);
            // The deal after the end changed nothing.
            EXPECT_EQ(lines[lines.size() - 1], lines[lines.size() - 2]);
            // The draw before the end re-opened betting.
            EXPECT_NE(lines[lines.size() - 4].find("Bet !"), std::string::npos);
        }
    }
}

TEST(Play, AnUnlimitedGameWithDoubleUpsGoesOn) {
    // Every offer: double, pick slot 2, then quit whatever happened (a quit
    // after a lost pick is not taken).
    for (int type = 1; type <= 3; ++type) {
        const std::vector<std::string> lines =
            wholeGame("type " + std::to_string(type) + "\ntarget 6\n", 120,
                      "double\npick 2\ntick TimerVoirDouble\nquit\n");
        EXPECT_EQ(number(lines.back(), "draw"), 121);
        EXPECT_EQ(fields(lines.back()).at("phase"), "2");
        int picks = 0;
        for (size_t i = 1; i < lines.size(); ++i) {
            if (fields(lines[i]).at("phase") == "3") ++picks;
        }
        EXPECT_GT(picks, 0) << type;
    }
}

TEST(Play, ADoubleUpStepByStep) {
    // Find a paying draw, then double it.
    for (int ms = 0; ms < 200'000; ms += 1000) {
        const std::string start = "type 3\nnew\nclock " + std::to_string(ms) + "\ndeal\ndeal\n";
        const Session first = play(start);
        if (number(first.lines.back(), "win") == 0) continue;
        const int win = number(first.lines.back(), "win");
        const Session run = play(start + "double\ntick timerCarteDoublage\npick 1\n");
        ASSERT_EQ(run.lines.size(), 8u);
        EXPECT_EQ(fields(run.lines[5]).at("phase"), "3");
        EXPECT_EQ(fields(run.lines[5]).at("result"),
                  " Please choose a card among the 4 cards below...");
        EXPECT_EQ(run.lines[6], run.lines[5]);
        EXPECT_EQ(run.lines[7], run.lines[5]);  // the dealer's card is not a pick
        const Session picked = play(start + "double\npick 3\n");
        const auto f = fields(picked.lines.back());
        EXPECT_TRUE(f.at("win") == "0" || f.at("win") == std::to_string(win) ||
                    f.at("win") == std::to_string(2 * win));
        EXPECT_EQ(f.at("phase"), "1");
        return;
    }
    FAIL() << "no paying draw";
}

TEST(Play, BadCommandsAreReportedAndTheSessionGoesOn) {
    const Session run = play(
        "frobnicate\nclock -1\nclock 86400000\nlang 3\ntype 0\ntarget 7\nhold 6\npick x\n"
        "option doublage maybe\noption colour on\ntick timerDepart\nname\n"
        "name abcdefghijk\nnew extra\n\n# a comment\nnew\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(number(run.lines[0], "credit"), 200);
    std::istringstream err(run.err);
    int errors = 0;
    for (std::string line; std::getline(err, line);) {
        EXPECT_EQ(line.rfind("error: ", 0), 0u) << line;
        ++errors;
    }
    EXPECT_EQ(errors, 14);
}

TEST(Play, SwitchingTheDoubleUpOffDuringADoubleUpIsRefused) {
    for (int ms = 0; ms < 200'000; ms += 1000) {
        const std::string start = "type 3\nnew\nclock " + std::to_string(ms) + "\ndeal\ndeal\n";
        if (number(play(start).lines.back(), "win") == 0) continue;
        const Session run = play(start + "option doublage off\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err,
                  "message: Please wait for the end of the draw if you want to change "
                  "this option\n");
        return;
    }
    FAIL() << "no paying draw";
}

TEST(Play, ArgumentsAndHelp) {
    EXPECT_EQ(play("", {"--help"}).status, 0);
    EXPECT_NE(play("", {"--help"}).lines.size(), 0u);
    EXPECT_EQ(play("", {"--frob"}).status, 2);
    EXPECT_EQ(play("", {"--store"}).status, 2);
}

#ifdef _WIN32
// The Windows game keeps its store in the registry, never in a file.
TEST(Play, AStoreFileIsRefusedOnWindows) {
    const Session run = play("new\n", {"--store", "user.reg"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.lines.empty());
}
#else
TEST(Play, AStoreFileKeepsTheBestScores) {
    const std::filesystem::path file =
        std::filesystem::path(::testing::TempDir()) / "brisko_play_test_user.reg";
    std::filesystem::remove(file);
    const Session run =
        play("type 3\ntarget 6\nname zoe\nnew\ndeal\ndeal\n", {"--store", file.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("optionYourName"), std::string::npos);
    EXPECT_NE(text.str().find("ZOE"), std::string::npos);
    std::filesystem::remove(file);
}

// A save that fails at `new` is told, and the game starts all the same, as
// the window starts it.
TEST(Play, ANewGameStartsWhenItsSaveFails) {
    namespace fs = std::filesystem;
    const fs::path blocker = fs::path(::testing::TempDir()) / "brisko_play_not_a_folder";
    std::ofstream(blocker) << "x";
    const Session run = play("new\n", {"--store", (blocker / "user.reg").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Erreur à définition des données pour 'verif'\nThe file '"),
              std::string::npos)
        << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(number(run.lines[0], "credit"), 200);
    fs::remove(blocker);
}

// A store that cannot be read is named with its cause, once, and never as an
// empty "error: " line.
TEST(Play, AStoreThatCannotBeReadIsNamedWithItsCause) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "brisko_play_unreadable";
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.reg");
    ASSERT_EQ(::mkfifo((dir / "fifo.reg").c_str(), 0600), 0);
    fs::create_symlink("loop.reg", dir / "loop.reg");
    struct Case {
        const char* file;
        const char* cause;
    };
    const Case cases[] = {
        {"folder.reg", "are not a plain file (it is a folder)"},
        {"fifo.reg", "are not a plain file (it is a pipe (FIFO))"},
        {"loop.reg", "could not be read: too many symbolic links (a loop?)"},
    };
    for (const Case& c : cases) {
        const std::string path = (dir / c.file).string();
        const Session run = play("deal\n", {"--store", path});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.find("error: \n"), std::string::npos) << run.err;
        const size_t first = run.err.find("'" + path + "' ");
        EXPECT_NE(first, std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.cause), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("error: The", first + 1), std::string::npos) << run.err;
    }
    fs::remove_all(dir);
}

// A settings file the player made read-only is said once, the statistics'
// saves included, and nothing is written in it.
TEST(Play, AReadOnlyStoreIsSaidOnceAndKeptAsItIs) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(::testing::TempDir()) / "brisko_play_read_only.reg";
    fs::remove(file);
    ASSERT_EQ(play("new\n", {"--store", file.string()}).status, 0);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::stringstream before;
    before << std::ifstream(file).rdbuf();
    const Session run = play("name zoe\nnew\ndeal\ndeal\ndeal\ndeal\n", {"--store", file.string()});
    EXPECT_EQ(run.status, 1);
    size_t told = 0;
    for (size_t at = run.err.find("is read-only: the game goes on and saves nothing in it.");
         at != std::string::npos; at = run.err.find("is read-only", at + 1)) {
        ++told;
    }
    EXPECT_EQ(told, 1u) << run.err;
    std::stringstream after;
    after << std::ifstream(file).rdbuf();
    EXPECT_EQ(after.str(), before.str());
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    fs::remove(file);
}

// One program per store: a store held by a running game is refused at once;
// the lock of a program that died is taken over.
TEST(Play, AStoreThatAnotherProgramHoldsIsRefused) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(::testing::TempDir()) / "brisko_play_held.reg";
    {
        const StoreOwner game(file);
        const Session run = play("new\n", {"--store", file.string()});
        EXPECT_EQ(run.status, 3);
        EXPECT_NE(run.err.find("are already in use by another copy of the game (process " +
                               std::to_string(::getpid()) + ")"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(run.lines.empty());
    }
    std::ofstream(ownerLockPath(file)) << "999999999\nbrisko99\nhost\n";  // its holder died
    EXPECT_EQ(play("new\n", {"--store", file.string()}).status, 0);
    EXPECT_FALSE(fs::exists(ownerLockPath(file)));
    fs::remove(file);
}
#endif

}  // namespace
}  // namespace brisko
