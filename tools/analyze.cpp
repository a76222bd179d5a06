// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/analyze.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "engine/hand.h"
#include "tools/numbers.h"
#include "tools/play.h"
#include "tools/returns_commands.h"
#include "tools/simulate.h"
#include "tools/strategy_command.h"

namespace brisko {

namespace {

constexpr const char* kHelp =
    R"(brisko-analyze: the rules of BRISKO 99 from the command line.

Cards are written rank then suit: ranks A 2 3 4 5 6 7 8 9 10 J Q K, suits
S (spades) H (hearts) C (clubs) D (diamonds); JK is the joker. Lower case is
fine, and a card index 1-53 works too (1-13 spades ace to king, 14-26 hearts,
27-39 clubs, 40-52 diamonds, 53 the joker).

Game types: 1 a joker in every deal, 2 a joker possible, 3 no joker.
MS is the clock reading the deal or draw is seeded from: milliseconds after
midnight UTC, 0-86399999.

Commands:
  eval C1 C2 C3 C4 C5
      Prints CATEGORY MARKS PAIRRANK: the category 0 (nothing) to 9 (royal
      flush), the cards that make it as five 0/1 digits (slot 1 first), and the
      rank of the pair (13 kings, 14 aces) for category 1, else -1.
      Example: brisko-analyze eval KS 4H JK 9C 2D   ->   1 10100 13
  deal TYPE MS
      Prints the five card indices dealt, slot 1 first.
      Example: brisko-analyze deal 1 0   ->   1 2 45 53 15
  draw TYPE MS C1 C2 C3 C4 C5 HELD
      Prints the five card indices after the draw from the hand C1..C5, HELD
      being five 0/1 digits (1: the slot is held), slot 1 first.
      Example: brisko-analyze draw 3 777 6 26 34 31 37 10100   ->   6 20 34 36 13
  suggest C1 C2 C3 C4 C5
      Prints the cards the game suggests holding, as five 0/1 digits.
      Example: brisko-analyze suggest KS AD 5C 3H 2S   ->   11000
  rtp [--game-type T]... [--strategy optimal|suggest] [--threads N] [--every-deal]
      [--format text|markdown|html-fr|html-en|cpp]
      The exact expected win per credit bet of each game type asked (all
      three by default), as a decimal and as a fraction, with the chance of
      each final category and the standard deviation of one draw. optimal
      holds the cards of highest expected value on every deal, suggest the
      cards the game suggests; without --strategy both are shown. Every
      deal and every draw is counted, with the rules of the game type:
        1  four ordinary cards and the joker are dealt; the replacements
           come from the 48 ordinary cards not in the hand, never the joker
        2  the joker is dealt with chance 99/1060 (then as in 1), else five
           ordinary cards; with h cards held, none the joker, the joker
           takes one new card's place with chance (20 x (5 - h) - 1)/1060
        3  five of the 52 ordinary cards; replacements from the other 47
      --every-deal works every deal out alone instead of one deal per class
      of deals that differ only by their suits (slower, same result). Ties
      between holds go to the hold of fewer cards. The formats other than
      text print the tables of the README (markdown) and of the help files,
      and (cpp, every game type) the source engine/exact_returns.cpp.
  advise C1 C2 C3 C4 C5 [--game-type T]
      The expected win per credit bet of all 32 holds of a dealt hand, best
      first, with the cards held and the exact fraction; * marks the holds
      the game suggests. The game type defaults to 2 with the joker in the
      hand, else 3.
      Example: brisko-analyze advise AS KS QS JS 9D
  strategy TYPE [--lang fr|en] [--hold C1 C2 C3 C4 C5] [--cache DIR] [--threads N]
      The strategy chart of a game type, worked out from the exact value of
      every hold of every deal: ordered lists of hold patterns, one for the
      deals with the joker and one for those without (keep the cards of the
      first line the deal fits), each line with the average win per credit
      of the holds it chooses and how often it is used, then the exceptions
      that penalty cards make. The last line is
        return chart=X best=Y suggested=Z
      the expected win per credit bet (6 decimals) of the chart, the best
      holds and the game's suggestion. With --hold, prints instead the hold
      the chart makes on that deal and the number of the line that chose it:
        hold=hhhhh line=N
      --cache keeps the chart in DIR and reads it from there next time.
      Example: brisko-analyze strategy 3 --hold AS KS QS JS 9D
)"
    R"(  play [--store PATH]
      Plays games from standard input, one command a line; see
      brisko-analyze play --help.
)"
    R"(  simulate --game-type T --target I --games N [--strategy optimal|suggest]
           [--double never|always] [--seed S] [--bet 1|20]
      Plays N whole games through the game table, the clock read from a
      sequence seeded by S (default 1), so that a seed replays the same games.
      I is the target index: 1-5 for 50, 100, 200, 500 or 1000 draws, 6 for
      the unlimited game, which is stopped after 1000 draws and scored. The
      strategy holds the cards (default suggest); the double-up is declined
      (never, the default) or taken again and again until it is lost (always;
      the pick is a random card). Prints the mean and quantiles of the final
      credit (or score), the share of games ending below 200 credits, the win
      per credit bet with its standard error, and the frequency of each final
      category. Long runs show their progress on standard error.
      Example: brisko-analyze simulate --game-type 3 --target 1 --games 1000
)"
    R"(
With only the command word (eval, deal, draw or suggest), the arguments are
read from standard input instead, one set a line, and one result line is
printed for each:
  printf 'AS KS QS JS 10S\n2H 2D 7C 9S KD\n' | brisko-analyze eval
  printf '1 0\n3 86399999\n' | brisko-analyze deal

Bad input (an unknown card, a card twice, two jokers, a wrong count, a game
type or clock reading out of range, HELD not five 0/1 digits) prints one line
on standard error naming the problem and the word; the exit status is then 2.
)";

// Thrown for a refused line: the message goes to standard error.
struct BadInput {
    std::string message;
};

GameType gameTypeArg(const std::string& word) {
    const auto v = parseInteger(word, 1, kGameTypes);
    if (!v) throw BadInput{"game type must be 1, 2 or 3: '" + word + "'"};
    return static_cast<GameType>(*v);
}

int32_t clockArg(const std::string& word) {
    const auto v = parseInteger(word, 0, kMillisecondsPerDay - 1);
    if (!v) {
        throw BadInput{"clock reading must be 0-86399999: '" + word + "'"};
    }
    return static_cast<int32_t>(*v);
}

Hand handArg(const std::vector<std::string>& words, size_t first) {
    Hand hand{};
    for (int32_t k = 1; k <= kSlots; ++k) {
        const std::string& word = words[first + static_cast<size_t>(k) - 1];
        const auto index = parseCard(word);
        if (!index) throw BadInput{"unknown card: '" + word + "'"};
        for (int32_t j = 1; j < k; ++j) {
            if (hand[j] != *index) continue;
            if (*index == kJoker) throw BadInput{"two jokers: '" + word + "'"};
            throw BadInput{"card given twice: '" + word + "'"};
        }
        hand[k] = *index;
    }
    return hand;
}

SlotFlags heldArg(const std::string& word) {
    SlotFlags held{};
    if (word.size() != kSlots) throw BadInput{"HELD must be five 0/1 digits: '" + word + "'"};
    for (int32_t k = 1; k <= kSlots; ++k) {
        const char d = word[static_cast<size_t>(k) - 1];
        if (d != '0' && d != '1') throw BadInput{"HELD must be five 0/1 digits: '" + word + "'"};
        held[k] = d == '1';
    }
    return held;
}

void expectCount(const std::vector<std::string>& words, size_t count, const char* form) {
    if (words.size() == count) return;
    std::string got;
    for (const auto& w : words) {
        if (!got.empty()) got += ' ';
        got += w;
    }
    throw BadInput{std::string("expected ") + form + ", got " + std::to_string(words.size()) +
                   " word(s): '" + got + "'"};
}

std::string digits(const SlotFlags& flags) {
    std::string s;
    for (int32_t k = 1; k <= kSlots; ++k) s += flags[k] ? '1' : '0';
    return s;
}

std::string indices(const Hand& hand) {
    std::string s;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (k > 1) s += ' ';
        s += std::to_string(hand[k]);
    }
    return s;
}

std::string evalLine(const std::vector<std::string>& w) {
    expectCount(w, 5, "five cards");
    EngineState s;
    s.hand = handArg(w, 0);
    const HandCategory category = evaluateHand(s);
    const int32_t pair = category == HandCategory::KingsOrBetter ? s.pairRank : -1;
    return std::to_string(static_cast<int32_t>(category)) + " " + digits(s.markedCards) + " " +
           std::to_string(pair);
}

std::string dealLine(const std::vector<std::string>& w) {
    expectCount(w, 2, "TYPE MS");
    const GameType type = gameTypeArg(w[0]);
    EngineState s;
    dealHand(s, type, FixedClock(clockArg(w[1])));
    return indices(s.hand);
}

std::string drawLine(const std::vector<std::string>& w) {
    expectCount(w, 8, "TYPE MS C1 C2 C3 C4 C5 HELD");
    const GameType type = gameTypeArg(w[0]);
    const int32_t ms = clockArg(w[1]);
    EngineState s;
    s.hand = handArg(w, 2);
    s.held = heldArg(w[7]);
    drawCards(s, type, FixedClock(ms));
    return indices(s.hand);
}

std::string suggestLine(const std::vector<std::string>& w) {
    expectCount(w, 5, "five cards");
    EngineState s;
    s.hand = handArg(w, 0);
    evaluateHand(s);
    suggestMarks(s);
    return digits(s.markedCards);
}

using LineCommand = std::string (*)(const std::vector<std::string>&);

// One result line, or one error line; true when the input was good.
bool answer(LineCommand command, const std::vector<std::string>& words, std::ostream& out,
            std::ostream& err) {
    try {
        out << command(words) << '\n';
        return true;
    } catch (const BadInput& bad) {
        err << "brisko-analyze: " << bad.message << '\n';
        return false;
    }
}

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The part of the help about one command: its usage line and the lines
// indented under it; empty for a name that is not a command.
std::string commandHelp(const std::string& name) {
    std::istringstream help(kHelp);
    std::string text;
    bool inside = false;
    for (std::string line; std::getline(help, line);) {
        const bool usage = line.rfind("  " + name, 0) == 0 &&
                           (line.size() == name.size() + 2 || line[name.size() + 2] == ' ');
        if (usage) {
            inside = true;
            text = "usage: brisko-analyze " + line.substr(2) + '\n';
        } else if (inside && line.rfind("    ", 0) == 0) {
            text += line + '\n';
        } else if (inside) {
            break;
        }
    }
    return text;
}

bool asksForHelp(const std::vector<std::string>& words) {
    return std::any_of(words.begin(), words.end(),
                       [](const std::string& w) { return w == "--help" || w == "-h"; });
}

}  // namespace

int runAnalyze(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kHelp;
        return args.empty() ? 2 : 0;
    }
    const std::string& name = args[0];
    if (name == "play") {
        return runPlay(in, out, err, std::vector<std::string>(args.begin() + 1, args.end()));
    }
    const std::vector<std::string> options(args.begin() + 1, args.end());
    if (asksForHelp(options)) {
        const std::string help = commandHelp(name);
        if (!help.empty()) {
            out << help;
            return 0;
        }
    }
    if (name == "rtp") return runRtp(options, out, err);
    if (name == "advise") return runAdvise(options, out, err);
    if (name == "simulate") return runSimulate(options, out, err);
    if (name == "strategy") return runStrategy(options, out, err);
    LineCommand command = nullptr;
    if (name == "eval") command = evalLine;
    if (name == "deal") command = dealLine;
    if (name == "draw") command = drawLine;
    if (name == "suggest") command = suggestLine;
    if (command == nullptr) {
        err << "brisko-analyze: unknown command: '" << name << "' (see --help)\n";
        return 2;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (!rest.empty()) return answer(command, rest, out, err) ? 0 : 2;

    bool allGood = true;
    for (std::string line; std::getline(in, line);) {
        const auto words = split(line);
        if (words.empty()) continue;
        allGood = answer(command, words, out, err) && allGood;
    }
    return allGood ? 0 : 2;
}

}  // namespace brisko
