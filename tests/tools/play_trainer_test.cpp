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

// Three draws of a game without the joker: the first a best play, then
// QC 5D 4H AS 6S held QC AS where the ace alone was best (84064/178365
// against 1181/3243), then 4H 5D 4S JD KS held the three first, the pair of
// fours alone best.
const std::string kThreeDraws =
    "type 3\nnew\nclock 777\ndeal\ndeal\nclock 1234\ndeal\nhold 1\ndeal\n"
    "clock 5555\ndeal\nhold 2\ndeal\n";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(PlayMistakes, OneLinePerMistakeOfTheGameInDrawOrder) {
    const std::vector<std::string> lines = linesOf(output({"play"}, kThreeDraws + "mistakes\n"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2],
              "mistake draw=2 hand=38,44,17,1,6 held=10010 best=00010 cost=19109/178365");
    EXPECT_EQ(lines.back(),
              "mistake draw=3 hand=17,44,4,50,13 held=11100 best=10100 cost=212/1081");
    // At a bet of 3 the same hold gives away three times as much; a new game
    // has none.
    const std::vector<std::string> atThree =
        linesOf(output({"play"},
                       "type 3\nnew\nbet+\nbet+\nclock 1234\ndeal\nhold 1\ndeal\nmistakes\nnew\n"
                       "mistakes\n"));
    EXPECT_EQ(atThree[atThree.size() - 2],
              "mistake draw=1 hand=38,44,17,1,6 held=10010 best=00010 cost=19109/59455");
    EXPECT_EQ(atThree.back().rfind("phase=1 credit=200 ", 0), 0u);
    // Dealt three queens and the joker: the four and all five make the same
    // four of a kind, and the best is the hold of fewer cards.
    EXPECT_EQ(linesOf(output({"play"},
                             "type 1\noption suggestion off\nnew\nclock 58068\ndeal\n"
                             "hold 1\ndeal\nmistakes\n"))
                  .back(),
              "mistake draw=1 hand=9,12,51,38,53 held=10000 best=01111 cost=1151002/48645");
}

TEST(PlayPractice, DealsAMistakeAgainAndTheGameGoesOnAsItWas) {
    // No clock reading in between: the next deal seeds from the same clock,
    // so whatever the practice deal left behind would show in what follows.
    const std::string rest = "deal\ndeal\ntrainer\nmistakes\nstats\n";
    const std::vector<std::string> plain = linesOf(output({"play"}, kThreeDraws + rest));
    const std::vector<std::string> practised =
        linesOf(output({"play"}, kThreeDraws + "practice 1\nhold 4\ndeal\n" + rest));
    ASSERT_GE(plain.size(), 18u);
    ASSERT_EQ(practised.size(), plain.size() + 3);
    EXPECT_EQ(practised[12], plain[12]);  // the third draw
    EXPECT_EQ(practised[13],
              "phase=2 credit=197 bet=1 draw=3 win=0 hand=38,44,17,1,6 held=00000 result=\" "
              "PRACTICE DEAL, no bet and no win: hold the cards you choose, then click on the DEAL "
              "button...\"");
    EXPECT_EQ(practised[14].rfind(
                  "phase=2 credit=197 bet=1 draw=3 win=0 hand=38,44,17,1,6 held=00010 ", 0),
              0u);
    EXPECT_EQ(practised[15].rfind("phase=1 credit=197 bet=1 draw=3 win=0 ", 0), 0u);
    EXPECT_NE(practised[15].find(" result=\" PRACTICE DEAL: Pair of Aces. "), std::string::npos);
    // The next deals, the tally, the mistakes and every figure of the
    // statistics as without the practice deal.
    for (size_t k = 13; k < plain.size(); ++k) EXPECT_EQ(practised[k + 3], plain[k]) << k;
}

TEST(PlayPractice, TakesTheNumberOfALineOfMistakes) {
    for (const auto& [line, said] :
         {std::pair{"practice 3\n", "'practice' takes a number from 1 to 2, not '3'"},
          {"practice\n", "'practice' takes one number from 1 to 2"},
          {"new\npractice 1\n",
           "'practice' takes the number of a line of 'mistakes', and there is none"}}) {
        std::istringstream in(kThreeDraws + line);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runAnalyze({"play"}, in, out, err), 1);
        EXPECT_EQ(err.str(), "error: " + std::string(said) + "\n") << line;
    }
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
