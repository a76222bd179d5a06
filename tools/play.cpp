// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/play.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

#ifndef _WIN32
#include "records/file_store.h"
#include "records/store_owner.h"
#endif
#include "records/memory_store.h"
#include "records/player_name.h"
#include "records/store_messages.h"
#include "table/null_view.h"
#include "table/options.h"
#include "table/statistics.h"
#include "table/trainer.h"
#include "table/world.h"
#include "tools/advice.h"
#include "tools/numbers.h"

namespace brisko {

namespace {

constexpr const char* kPlayHelp =
    R"(brisko-analyze play [--store PATH]: plays BRISKO 99 from standard input.

One command a line; after each, one state line:
  phase=P credit=C bet=B draw=N win=W hand=a,b,c,d,e held=hhhhh result="TEXT"
P is 1 (awaiting the deal), 2 (awaiting the draw) or 3 (double-up pick); the
hand is five card indices 1-53 (1-13 spades ace to king, 14-26 hearts, 27-39
clubs, 40-52 diamonds, 53 the joker); held is five 0/1 digits; TEXT is the
message line, a line feed written \n, a quote \" and a backslash \\.

Settings (the next `new` uses the game type, target and name):
  clock MS                  clock reading for the following deals and draws,
                            milliseconds after midnight UTC (0-86399999)
  lang 1|2                  1 French, 2 English (the default)
  type 1|2|3                1 a joker in every deal, 2 a joker possible,
                            3 no joker
  target 1-6                50, 100, 200, 500, 1000 draws, or 6 unlimited
  name TEXT                 the player's name (upper case, at most 10 letters)
  option doublage on|off    offer double or quits after a win
  option suggestion on|off  hold the suggested cards after a deal
Play:
  new                       a new game
  bet+                      the BET + / BET 1 button
  bet20                     the BET 20 button
  deal                      the DEAL button: deals, or draws
  hold S                    a click on the card of slot S (1-5)
  double, quit              the two buttons of the double-or-quit offer
  pick S                    a click on the card of slot S in the double-up
  tick NAME                 one tick of TimerYesNoDoublage,
                            timerCarteDoublage or TimerVoirDouble
  practice K                deals the hand of the K-th line of `mistakes`
                            again as a practice deal, in its game type:
                            hold and deal play it; it takes no credit, pays
                            nothing and counts nowhere. After its draw, deal
                            (or a bet) goes back to the game where it stood
Questions, answered in their own lines instead of a state line:
  advise                    the value of every hold of the hand dealt and not
                            yet drawn, as brisko-analyze advise prints it for
                            the game type of the game in progress (of the
                            practice deal's)
  trainer                   the tally of the game's draws against the best
                            holds: decisions=D best=B accuracy=A%
                            given_away=N/M (expected credits, exact)
  mistakes                  the draws of the game in progress that were not
                            best plays, in draw order, one line each:
                            mistake draw=N hand=a,b,c,d,e held=hhhhh
                            best=hhhhh cost=P/Q
                            with the hand dealt, the hold drawn with, the
                            best hold (ties to the hold of fewer cards, as
                            advise orders them) and the expected credits
                            given away at the bet (best minus held, exact)
  stats                     the statistics window's figures, one KEY=VALUE a
                            line: game.* for the game in progress, all.T.*
                            for all the games of game type T, kept in the
                            store; percentages with two places, expected
                            ones (.best, .suggested) with six; last,
                            all.T.trainer.* the trainer's tally of all the
                            games of type T and the mistakes kept
A command that the table does not take in its state changes nothing; its
state line is printed all the same. An unknown command or a bad argument
prints one line "error: ..." on standard error instead. Blank lines and lines
starting with # are skipped.

The game keeps its settings and best scores in memory, starting from the
defaults; with --store PATH they are read from and saved to that file (a
bare file name is a file of the current folder).
)";

class BadCommand : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

int32_t intArgument(const std::vector<std::string>& words, int32_t low, int32_t high) {
    if (words.size() != 2) {
        throw BadCommand("'" + words[0] + "' takes one number from " + std::to_string(low) +
                         " to " + std::to_string(high));
    }
    const std::optional<int64_t> value = parseInteger(words[1], low, high);
    if (!value) {
        throw BadCommand("'" + words[0] + "' takes a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + words[1] + "'");
    }
    return static_cast<int32_t>(*value);
}

void noArgument(const std::vector<std::string>& words) {
    if (words.size() != 1) throw BadCommand("'" + words[0] + "' takes no argument");
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

// The name as the change-game dialog takes it.
std::string playerName(std::string_view text) {
    std::string name = upperCaseName(text);
    if (name.empty()) throw BadCommand("'name' needs a name");
    if (nameCharacters(name) > kNameMaxCharacters) {
        throw BadCommand("a name has at most " + std::to_string(kNameMaxCharacters) +
                         " characters");
    }
    return name;
}

class Session {
  public:
    Session(SettingsStore& store, std::ostream& out, std::ostream& err)
        : out_(out),
          err_(err),
          world_(clock_, store, view_),
          trainer_(analyst_),
          statistics_(store, statisticsKeyOf(world_.records.registryKey)) {
        world_.texts.setLanguage(Language::English);
        statistics_.followTrainer(&trainer_);
        world_.table.listen(statistics_);
        world_.table.listen(trainer_);
    }

    void load() { world_.records.LoadSettings(); }
    // The all-time statistics, after the settings.
    void loadStatistics() {
        if (statistics_.load()) {
            message("the statistics were damaged and start again from zero");
        }
    }
    void rememberChoice() {
        const Settings& s = world_.records.settings;
        gameType_ = s.gameType;
        targetIndex_ = s.targetIndex;
        name_ = s.optionYourName;
    }

    // Runs one line; false when no state line follows: a blank line, a
    // comment or a question.
    bool run(const std::string& line);
    void printState() const;

  private:
    void option(const std::vector<std::string>& words);
    void newGame();
    void tick(const std::vector<std::string>& words);
    void advise();
    void printTally();
    void printMistakes();
    void practise(const std::vector<std::string>& words);
    void printStatistics();
    // The records' messages go to standard error.
    void message(const std::string& text) { err_ << "message: " << text << '\n'; }

    FixedClock clock_;
    std::ostream& out_;
    std::ostream& err_;
    NullTableView view_;
    World world_;
    GameType gameType_ = kDefaultGameType;
    int32_t targetIndex_ = 1;
    std::string name_;
    DealAnalyst analyst_;  // the evaluation table is built at the first question
    TrainerLog trainer_;
    Statistics statistics_;
};

bool Session::run(const std::string& line) {
    std::istringstream words_in(line);
    std::vector<std::string> words;
    for (std::string w; words_in >> w;) words.push_back(w);
    if (words.empty() || words[0][0] == '#') return false;
    const std::string& command = words[0];
    GameTable& table = world_.table;

    if (command == "clock") {
        clock_.set(intArgument(words, 0, kMillisecondsPerDay - 1));
    } else if (command == "lang") {
        world_.texts.setLanguage(static_cast<Language>(intArgument(words, 1, kLanguageCount)));
    } else if (command == "type") {
        gameType_ = static_cast<GameType>(intArgument(words, 1, kGameTypes));
    } else if (command == "target") {
        targetIndex_ = intArgument(words, 1, kTargets);
    } else if (command == "name") {
        const size_t start = line.find("name") + 4;
        const size_t first = line.find_first_not_of(" \t", start);
        const size_t last = line.find_last_not_of(" \t\r");
        name_ = playerName(first == std::string::npos
                               ? std::string_view()
                               : std::string_view(line).substr(first, last - first + 1));
    } else if (command == "option") {
        option(words);
    } else if (command == "new") {
        noArgument(words);
        newGame();
    } else if (command == "bet+") {
        noArgument(words);
        table.betPlus();
    } else if (command == "bet20") {
        noArgument(words);
        table.betMax();
    } else if (command == "deal") {
        noArgument(words);
        table.dealOrDraw();
    } else if (command == "hold" || command == "pick") {
        table.clickCard(intArgument(words, 1, kSlots));
    } else if (command == "double") {
        noArgument(words);
        table.ButtonYesDoubleClick();
    } else if (command == "quit") {
        noArgument(words);
        table.ButtonNoDoubleClick();
    } else if (command == "tick") {
        tick(words);
    } else if (command == "advise") {
        noArgument(words);
        advise();
        return false;
    } else if (command == "trainer") {
        noArgument(words);
        printTally();
        return false;
    } else if (command == "mistakes") {
        noArgument(words);
        printMistakes();
        return false;
    } else if (command == "practice") {
        practise(words);
    } else if (command == "stats") {
        noArgument(words);
        printStatistics();
        return false;
    } else {
        throw BadCommand("unknown command '" + command + "' (see brisko-analyze play --help)");
    }
    return true;
}

void Session::option(const std::vector<std::string>& words) {
    if (words.size() != 3 || (words[2] != "on" && words[2] != "off") ||
        (words[1] != "doublage" && words[1] != "suggestion")) {
        throw BadCommand("'option' takes doublage or suggestion, then on or off");
    }
    Records& records = world_.records;
    const bool on = words[2] == "on";
    // The menu commands toggle: run one only when the option must change,
    // so that switching the double-up off during a double-up is refused.
    if (words[1] == "doublage") {
        if ((records.settings.optionDoublagePropose != 0) == on) return;
        if (!switchDoubleUp(world_.table, records)) message(world_.texts[Txt::txtWaitEndOfDraw]);
    } else {
        if ((records.settings.optionSuggestionCartes != 0) == on) return;
        switchSuggestion(world_.table, records);
    }
    records.SaveSettings();
}

// As the confirmation of the change-game dialog: store the choice, then
// start the game.
void Session::newGame() {
    // A refused save still starts the game, as in the window; the error is
    // told after it.
    try {
        world_.records.chooseGame(number(gameType_), targetIndex_, name_);
    } catch (const StoreError&) {
        world_.table.startNewGame();
        throw;
    }
    world_.table.startNewGame();
}

void Session::advise() {
    const GameTable& table = world_.table;
    if (table.state.stage != Stage::AwaitingDraw && table.state.stage != Stage::PracticeDraw) {
        throw BadCommand("'advise' needs a hand dealt and not yet drawn");
    }
    printAdvice(analyst_.evaluator(), world_.cards.hand,
                table.practiceGameType().value_or(table.gameType()), out_);
}

void Session::printTally() {
    const TrainerTally& tally = trainer_.tally();
    out_ << "decisions=" << tally.decisions() << " best=" << tally.bestPlays()
         << " accuracy=" << (tally.decisions() == 0 ? "-" : tally.accuracy().rounded(2) + "%")
         << " given_away=" << tally.givenAway().exact() << '\n';
}

void Session::printMistakes() {
    const auto hand = [](const Hand& h) {
        std::string s;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (k > 1) s += ',';
            s += std::to_string(h[k]);
        }
        return s;
    };
    const auto hold = [](HoldMask m) {
        std::string s;
        for (int32_t k = 1; k <= kSlots; ++k) s += holdsSlot(m, k) ? '1' : '0';
        return s;
    };
    for (const Mistake& m : trainer_.mistakes()) {
        out_ << "mistake draw=" << m.drawNumber << " hand=" << hand(m.dealt)
             << " held=" << hold(m.held) << " best=" << hold(m.best) << " cost=" << m.cost.exact()
             << '\n';
    }
}

void Session::practise(const std::vector<std::string>& words) {
    const std::vector<Mistake> mistakes = trainer_.mistakes();
    if (mistakes.empty()) {
        throw BadCommand("'practice' takes the number of a line of 'mistakes', and there is none");
    }
    const int32_t k = intArgument(words, 1, static_cast<int32_t>(mistakes.size()));
    const Mistake& m = mistakes[static_cast<size_t>(k - 1)];
    world_.table.practise(m.dealt, m.gameType);
}

// The expected figures of the game in progress's type and of every type
// played.
void Session::printStatistics() {
    std::array<const ExpectedReturns*, kGameTypes> expected{};
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        const auto k = static_cast<size_t>(t - 1);
        if (t != number(statistics_.gameType()) && statistics_.allTime()[k].draws == 0) continue;
        expected[k] = &exactReturns(static_cast<GameType>(t));
    }
    writeStatisticsLines(out_, statistics_, expected, &trainer_.tally());
    statistics_.finishSaves();
    if (std::optional<StoreError> error = statistics_.takeSaveError()) throw *error;
}

void Session::tick(const std::vector<std::string>& words) {
    if (words.size() == 2) {
        GameTable& table = world_.table;
        if (words[1] == timerName(Timer::TimerYesNoDoublage))
            return table.TimerYesNoDoublageTimer();
        if (words[1] == timerName(Timer::timerCarteDoublage))
            return table.timerCarteDoublageTimer();
        if (words[1] == timerName(Timer::TimerVoirDouble)) return table.TimerVoirDoubleTimer();
    }
    throw BadCommand("'tick' takes TimerYesNoDoublage, timerCarteDoublage or TimerVoirDouble");
}

void Session::printState() const {
    const GameState& s = world_.table.state;
    const EngineState& cards = world_.cards;
    out_ << "phase=" << static_cast<int32_t>(s.phase()) << " credit=" << s.credit
         << " bet=" << s.bet << " draw=" << s.drawNumber << " win=" << s.win << " hand=";
    for (int32_t k = 1; k <= kSlots; ++k) out_ << (k > 1 ? "," : "") << cards.hand[k];
    out_ << " held=";
    for (int32_t k = 1; k <= kSlots; ++k) out_ << (cards.held[k] ? '1' : '0');
    const std::optional<std::string>& line =
        world_.presenter.shown().caption(Control::panelResultat);
    out_ << " result=\"" << escaped(line.value_or("")) << "\"\n";
}

}  // namespace

int runPlay(std::istream& in, std::ostream& out, std::ostream& err,
            const std::vector<std::string>& args) {
    std::optional<std::string> storePath;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            out << kPlayHelp;
            return 0;
        }
        if (args[i] == "--store" && i + 1 < args.size() && !storePath) {
            storePath = args[++i];
            continue;
        }
        err << "brisko-analyze play: bad argument '" << args[i] << "' (see --help)\n";
        return 2;
    }

    std::unique_ptr<SettingsStore> store;
#ifndef _WIN32
    std::unique_ptr<StoreOwner> owner;
#endif
    if (storePath) {
#ifndef _WIN32
        // A bare file name is a file of the current folder.
        std::filesystem::path file(*storePath);
        if (!file.has_parent_path()) file = std::filesystem::path(".") / file;
        // A store that a running game (or another play) holds is not shared.
        try {
            owner = std::make_unique<StoreOwner>(file);
        } catch (const StoreError& e) {
            err << "brisko-analyze play: " << storeMessage(e, Language::English) << '\n';
            return 3;
        }
        store = std::make_unique<FileStore>(file);
#else
        err << "brisko-analyze play: --store is not available on Windows\n";
        return 2;
#endif
    } else {
        store = std::make_unique<MemoryStore>();
    }
    Session session(*store, out, err);
    bool allGood = true;
    // Every store error in the player's words, with its file and cause; the
    // load's, for the settings and then the statistics of a file that cannot
    // be read, is printed once.
    std::string told;
    const auto tell = [&](const StoreError& e) {
        const std::string message = storeMessage(e, Language::English);
        if (message != told) err << "error: " << message << '\n';
        told = message;
        allGood = false;
    };
    try {
        session.load();
    } catch (const StoreError& e) {
        tell(e);
    }
    session.rememberChoice();
    try {
        session.loadStatistics();
    } catch (const StoreError& e) {
        tell(e);
    }
    told.clear();

    for (std::string line; std::getline(in, line);) {
        try {
            if (session.run(line)) session.printState();
        } catch (const BadCommand& e) {
            err << "error: " << e.what() << '\n';
            allGood = false;
        } catch (const StoreError& e) {
            // The store refused a save: said, and the game goes on.
            tell(e);
            session.printState();
        }
        // A script plays faster than anyone: each draw's save lands before
        // the next command, as it does at a player's pace, so that a kill
        // loses at most the draw whose save is on its way.
        store->finishSaves();
    }
    return allGood ? 0 : 1;
}

}  // namespace brisko
