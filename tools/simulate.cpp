// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/simulate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>

#include "records/memory_store.h"
#include "table/null_view.h"
#include "table/world.h"
#include "tools/numbers.h"

namespace brisko {

namespace {

// Every reading comes from a seeded generator, so that a seed replays the
// same games.
class SequenceClock final : public Clock {
  public:
    explicit SequenceClock(uint64_t seed) : random_(seed) {}
    int32_t millisecondsSinceMidnightUtc() const override {
        return static_cast<int32_t>(random_() % kMillisecondsPerDay);
    }

  private:
    mutable std::mt19937_64 random_;
};

// A winning streak so long that the win stops doubling: quit there.
constexpr int32_t kMostDoubles = 40;

}  // namespace

double SimulationResult::standardError() const {
    if (draws < 2 || credits == 0) return 0;
    // Per-draw returns win / bet; every draw has the same bet.
    const double n = static_cast<double>(draws);
    const double mean = meanReturn();
    const double variance = std::max(0.0, (returnSquares - n * mean * mean) / (n - 1));
    return std::sqrt(variance / n);
}

SimulationResult simulate(const SimulationSetup& setup, std::ostream* progress) {
    SimulationResult result;
    const FastEvaluator evaluator;
    std::unique_ptr<ReturnCalculator> calculator;
    if (setup.strategy == Strategy::Optimal) {
        calculator = std::make_unique<ReturnCalculator>(evaluator, 2);
    }
    SequenceClock clock(setup.seed);
    std::mt19937_64 picks(setup.seed ^ 0x5DEECE66Dull);
    MemoryStore store;
    NullTableView tableView;
    World world(clock, store, tableView);
    world.records.LoadSettings();
    Settings& settings = world.records.settings;
    settings.optionSuggestionCartes = 0;  // the strategy holds the cards
    settings.optionDoublagePropose = setup.alwaysDouble ? 1 : 0;
    world.records.chooseGame(number(setup.gameType), setup.targetIndex, "SIMULATE");

    const int32_t draws =
        setup.targetIndex == kUnlimitedTarget ? kUnlimitedDraws : kTargetDraws[setup.targetIndex];
    GameTable& table = world.table;
    EngineState& cards = world.cards;
    auto lastReport = std::chrono::steady_clock::now();
    for (int64_t game = 0; game < setup.games; ++game) {
        table.startNewGame();
        for (int32_t d = 0; d < draws; ++d) {
            // BET 20 deals at once; later deals take the same bet again.
            if (d == 0 && setup.bet == kMaxBet) {
                table.betMax();
            } else {
                table.dealOrDraw();
            }
            const HoldMask hold = calculator
                                      ? bestHold(calculator->holdValues(cards.hand, setup.gameType))
                                      : suggestedHold(evaluator, cards.hand);
            for (int32_t k = 1; k <= kSlots; ++k) {
                if ((hold >> (k - 1)) & 1) table.clickCard(k);
            }
            const int32_t bet = table.state.bet;
            table.dealOrDraw();
            const HandCategory category = evaluator.evaluate(cards.hand).category();
            const int32_t win = table.state.win;
            ++result.hits[static_cast<int32_t>(category)];
            ++result.draws;
            result.credits += bet;
            result.won += win;
            const double r = static_cast<double>(win) / bet;
            result.returnSquares += r * r;
            for (int32_t doubles = 0; table.state.doubleUpActive(); ++doubles) {
                if (doubles == kMostDoubles) {
                    table.ButtonNoDoubleClick();
                    break;
                }
                table.ButtonYesDoubleClick();
                table.clickCard(2 + static_cast<int32_t>(picks() % 4));
            }
        }
        const int32_t final =
            setup.targetIndex == kUnlimitedTarget ? table.state.score : table.state.credit;
        result.finals.push_back(final);
        result.belowStart += table.state.credit < kStartCredit;
        const auto now = std::chrono::steady_clock::now();
        if (progress && now - lastReport > std::chrono::seconds(1)) {
            lastReport = now;
            *progress << "simulate: " << game + 1 << " of " << setup.games << " games\n";
        }
    }
    return result;
}

namespace {

bool parseNumber(const std::string& word, int64_t low, int64_t high, int64_t& value) {
    const std::optional<int64_t> v = parseInteger(word, low, high);
    if (v) value = *v;
    return v.has_value();
}

// The summary of the games played.
void printSimulation(const SimulationSetup& setup, const SimulationResult& r, std::ostream& out) {
    std::vector<int32_t> sorted = r.finals;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (int32_t f : sorted) sum += f;
    const bool unlimited = setup.targetIndex == kUnlimitedTarget;
    auto quantile = [&](double q) {
        const auto i =
            static_cast<size_t>(std::llround(q * static_cast<double>(sorted.size() - 1)));
        return sorted[i];
    };
    char line[160];
    out << "Game type " << number(setup.gameType) << ", "
        << (unlimited ? std::string("unlimited game stopped after ") +
                            std::to_string(kUnlimitedDraws) + " draws"
                      : std::to_string(kTargetDraws[setup.targetIndex]) + " draws")
        << ", " << setup.games << " games, "
        << (setup.strategy == Strategy::Optimal ? "optimal" : "suggested") << " holds, "
        << (setup.alwaysDouble ? "always double" : "never double") << ", bet " << setup.bet
        << ", seed " << setup.seed << '\n';
    std::snprintf(line, sizeof line, "%s: mean %.3f\n", unlimited ? "Final score" : "Final credit",
                  sum / static_cast<double>(sorted.size()));
    out << line;
    out << "  min " << sorted.front() << ", 5% " << quantile(0.05) << ", 25% " << quantile(0.25)
        << ", median " << quantile(0.5) << ", 75% " << quantile(0.75) << ", 95% " << quantile(0.95)
        << ", max " << sorted.back() << '\n';
    std::snprintf(line, sizeof line, "Games ending below 200 credits: %.4f\n",
                  static_cast<double>(r.belowStart) / static_cast<double>(sorted.size()));
    out << line;
    std::snprintf(line, sizeof line,
                  "Win per credit bet (before double-up): %.6f, standard error %.6f, over %lld "
                  "draws\n",
                  r.meanReturn(), r.standardError(), static_cast<long long>(r.draws));
    out << line;
    out << "Hit frequency per draw:\n";
    for (int32_t c = kCategoryCount - 1; c >= 0; --c) {
        std::snprintf(line, sizeof line, "  %-16s  %.6f\n", kCategoryNames[static_cast<size_t>(c)],
                      static_cast<double>(r.hits[c]) / static_cast<double>(r.draws));
        out << line;
    }
}

}  // namespace

int runSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const char* usage =
        " (usage: simulate --game-type T --target I --games N [--strategy optimal|suggest]"
        " [--double never|always] [--seed S] [--bet 1|20])\n";
    SimulationSetup setup;
    bool hasType = false;
    bool hasTarget = false;
    bool hasGames = false;
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::string& a = args[i];
        const std::string value = i + 1 < args.size() ? args[i + 1] : "";
        int64_t v = 0;
        bool good = i + 1 < args.size();
        if (good && a == "--game-type" && parseNumber(value, 1, 3, v)) {
            setup.gameType = static_cast<GameType>(v);
            hasType = true;
        } else if (good && a == "--target" && parseNumber(value, 1, kTargets, v)) {
            setup.targetIndex = static_cast<int32_t>(v);
            hasTarget = true;
        } else if (good && a == "--games" && parseNumber(value, 1, 100'000'000, v)) {
            setup.games = v;
            hasGames = true;
        } else if (good && a == "--strategy" && (value == "optimal" || value == "suggest")) {
            setup.strategy = value == "optimal" ? Strategy::Optimal : Strategy::Suggest;
        } else if (good && a == "--double" && (value == "never" || value == "always")) {
            setup.alwaysDouble = value == "always";
        } else if (good && a == "--seed" &&
                   parseNumber(value, 0, std::numeric_limits<int64_t>::max(), v)) {
            setup.seed = static_cast<uint64_t>(v);
        } else if (good && a == "--bet" && (value == "1" || value == "20")) {
            setup.bet = value == "1" ? 1 : kMaxBet;
        } else {
            good = false;
        }
        if (!good) {
            err << "brisko-analyze: simulate: bad argument: '" << a
                << (value.empty() ? "" : " " + value) << "'" << usage;
            return 2;
        }
    }
    if (!hasType || !hasTarget || !hasGames) {
        err << "brisko-analyze: simulate: --game-type, --target and --games are needed" << usage;
        return 2;
    }

    printSimulation(setup, simulate(setup, setup.games >= 100 ? &err : nullptr), out);
    return 0;
}

}  // namespace brisko
