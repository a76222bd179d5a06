// SPDX-License-Identifier: GPL-3.0-or-later
// play's questions: its advice is brisko-analyze advise's for the hand on
// the table, and its tally follows the game's draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine/hand.h"
#include "tools/analyze.h"

namespace brisko {
namespace {

std::string output(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runAnalyze(args, in, out, err), 0) << err.str();
    return out.str();
}

// The cards of the last state line's hand, by name.
std::vector<std::string> handOf(const std::string& stateLine) {
    const size_t at = stateLine.find(" hand=") + 6;
    std::istringstream indices(stateLine.substr(at, stateLine.find(' ', at) - at));
    std::vector<std::string> names;
    for (std::string i; std::getline(indices, i, ',');) names.push_back(cardName(std::stoi(i)));
    return names;
}

TEST(PlayAdvise, PrintsWhatAdviseDoesForTheHandAndTheGameType) {
    // The first clock reading at which game type 2 deals the joker.
    int32_t jokerClock = 0;
    for (EngineState s;; ++jokerClock) {
        dealHand(s, GameType::JokerPossible, FixedClock(jokerClock));
        if (std::find(s.hand.begin() + 1, s.hand.end(), kJoker) != s.hand.end()) break;
    }
    for (int32_t type = 1; type <= 3; ++type) {
        for (int32_t clock : {777, 5'000'000, type == 2 ? jokerClock : 86'399'999}) {
            const std::string setup = "type " + std::to_string(type) + "\nnew\nclock " +
                                      std::to_string(clock) + "\ndeal\n";
            const std::string dealt = output({"play"}, setup);
            const std::string advised = output({"play"}, setup + "advise\n");
            ASSERT_EQ(advised.substr(0, dealt.size()), dealt);
            std::vector<std::string> args{"advise"};
            for (const std::string& card : handOf(dealt.substr(dealt.rfind("phase=")))) {
                args.push_back(card);
            }
            args.insert(args.end(), {"--game-type", std::to_string(type)});
            EXPECT_EQ(advised.substr(dealt.size()), output(args)) << type << ' ' << clock;
        }
    }
}

TEST(PlayTrainer, TalliesTheDrawsOfTheGame) {
    // Dealt 7H 10C KS 6D 5S: the king alone, which the game holds, is the best
    // hold (84448/178365); with the seven it is worth 5393/16215 less 1675/11891.
    const std::string deal = "clock 777\ndeal\n";
    const std::string script =
        "type 3\nnew\n" + deal + "deal\nbet+\n" + deal + "hold 1\ndeal\ntrainer\nnew\ntrainer\n";
    std::istringstream lines(output({"play"}, script));
    std::vector<std::string> tallies;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("decisions=", 0) == 0) tallies.push_back(line);
    }
    ASSERT_EQ(tallies.size(), 2u);
    EXPECT_EQ(tallies[0], "decisions=2 best=1 accuracy=50.00% given_away=3350/11891");
    EXPECT_EQ(tallies[1], "decisions=0 best=0 accuracy=- given_away=0/1");
}

TEST(PlayAdvise, NeedsAHandAwaitingTheDraw) {
    std::istringstream in("new\nadvise\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runAnalyze({"play"}, in, out, err), 1);
    EXPECT_NE(err.str().find("error: 'advise'"), std::string::npos);
}

}  // namespace
}  // namespace brisko
