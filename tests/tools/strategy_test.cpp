// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy charts: on every deal the chart keeps cards its line names,
// the same cards whatever the slot order and the names of the suits, and
// worth exactly the return it states; best and suggested agree with rtp; the
// chart is the same on any number of threads and comes back from its file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>

#include "contract/strategy_texts.h"
#include "engine/strategy.h"
#include "table/trainer.h"
#include "tools/analyze.h"

namespace brisko {
namespace {

class Charts : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        evaluator = new FastEvaluator;
        calculator = new ReturnCalculator(*evaluator, 2);
        for (int32_t t = 1; t <= kGameTypes; ++t) {
            charts[static_cast<size_t>(t - 1)] = makeStrategyChart(*calculator, GameType{t});
        }
    }
    static void TearDownTestSuite() {
        delete calculator;
        delete evaluator;
    }
    static const StrategyChart& chart(int32_t type) {
        return charts[static_cast<size_t>(type - 1)];
    }

    static inline FastEvaluator* evaluator = nullptr;
    static inline ReturnCalculator* calculator = nullptr;
    static inline std::array<StrategyChart, 3> charts;
};

// The hold's cards in another slot order and with the suits renamed.
struct Shuffled {
    Hand hand{};
    std::array<int32_t, kSlots + 1> from{};  // slot of the original hand

    Shuffled(const Hand& h, std::mt19937& rng) {
        std::array<int32_t, 4> suits{1, 2, 3, 4};
        std::shuffle(suits.begin(), suits.end(), rng);
        std::array<int32_t, kSlots> order{1, 2, 3, 4, 5};
        std::shuffle(order.begin(), order.end(), rng);
        for (int32_t k = 1; k <= kSlots; ++k) {
            const int32_t c = h[order[static_cast<size_t>(k - 1)]];
            from[k] = order[static_cast<size_t>(k - 1)];
            hand[k] = c == kJoker ? kJoker
                                  : cardIndex(suits[static_cast<size_t>(suitOfIndex(c) - 1)],
                                              valueOfIndex(c));
        }
    }
    HoldMask original(HoldMask hold) const {
        HoldMask m = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (holdsSlot(hold, k)) m |= 1u << (from[k] - 1);
        }
        return m;
    }
};

// Each game type in a process of its own.
class EveryDeal : public Charts, public ::testing::WithParamInterface<int32_t> {};

TEST_P(EveryDeal, KeepsWhatItsLineSaysAndTheReturnAddsUp) {
    const int32_t type = GetParam();
    const StrategyChart& c = chart(type);
    Fraction total;
    int64_t lines = 0;
    for (const ChartSection& s : c.sections) {
        EXPECT_LE(s.lines.size(), 40u) << type;
        lines += static_cast<int64_t>(s.lines.size());
    }
    for (const DealKind& kind : dealKindsOf(GameType{type})) {
        std::mutex m;
        Int128 sum = 0;
        int64_t misfits = 0;
        int64_t moved = 0;
        calculator->forEachDealClass(
            GameType{type}, kind.ordinaryCards, [&](size_t i, const DealClassValues& deal) {
                const ChartChoice choice = c.choose(deal.hand);
                const ChartLine* line = c.line(choice.line);
                EngineState s;
                s.hand = deal.hand;
                const HoldReader reader(deal.hand, evaluateHand(s));
                const HoldPattern p = reader.pattern(choice.hold);
                const bool fits =
                    line != nullptr && line->patterns.covers(p) &&
                    (reader.penalties(choice.hold) & line->penalties) == line->penalties &&
                    c.section(kind.ordinaryCards == 4) != nullptr &&
                    c.lineOf(deal.hand, choice.hold) == choice.line;
                std::mt19937 rng(static_cast<uint32_t>(i));
                const Shuffled other(deal.hand, rng);
                const HoldMask there = other.original(c.choose(other.hand).hold);
                std::lock_guard lock(m);
                sum += Int128{deal.weight} * deal.values[choice.hold];
                misfits += !fits;
                moved += deal.values[there] != deal.values[choice.hold];
            });
        EXPECT_EQ(misfits, 0) << type;
        EXPECT_EQ(moved, 0) << type;
        total = total +
                Fraction(kind.chances, kJokerOdds) *
                    Fraction(sum, checkedMul(ReturnCalculator::valueDenominator(kind.ordinaryCards),
                                             Int128{binomial(52, kind.ordinaryCards)}));
    }
    EXPECT_EQ(total, c.chartReturn) << type;
    const auto rtp = calculator->gameReturns(GameType{type});
    EXPECT_EQ(c.bestReturn, rtp[0].perCredit) << type;
    EXPECT_EQ(c.suggestedReturn, rtp[1].perCredit) << type;
    // The chart plays nearly as well as the best holds, better than the
    // suggestion, and keeps a best hold on most deals.
    EXPECT_TRUE(c.suggestedReturn < c.chartReturn) << type;
    EXPECT_TRUE(c.chartReturn < c.bestReturn || c.chartReturn == c.bestReturn);
    EXPECT_TRUE(c.bestReturn - c.chartReturn < Fraction(1, 1000)) << type;
    EXPECT_TRUE(Fraction(95, 100) < c.bestHoldShare) << type;
    std::printf(
        "[ chart    ] type %d: %lld lines, return %s against best %s (suggestion %s), "
        "a best hold on %s%% of deals\n",
        type, static_cast<long long>(lines), c.chartReturn.rounded(6).c_str(),
        c.bestReturn.rounded(6).c_str(), c.suggestedReturn.rounded(6).c_str(),
        (c.bestHoldShare * Fraction(100, 1)).rounded(2).c_str());
}

INSTANTIATE_TEST_SUITE_P(Charts, EveryDeal, ::testing::Values(1, 2, 3));

TEST_F(Charts, SameOnOneThreadAndThroughItsFile) {
    // Type 2 has both kinds of section.
    const ReturnCalculator oneThread(*evaluator, 1);
    const StrategyChart& c = chart(2);
    EXPECT_TRUE(makeStrategyChart(oneThread, GameType{2}) == c);
    std::stringstream file;
    writeStrategyChart(c, file);
    const std::string text = file.str();
    const auto back = readStrategyChart(file, GameType{2});
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == c);
    // Another game type's file, another version of the rules, a file cut
    // short, a stray line: made again.
    std::istringstream other(text);
    EXPECT_FALSE(readStrategyChart(other, GameType{3}).has_value());
    std::string old = text;
    old.replace(old.find("version "), 9, "version 0");
    for (const std::string& bad :
         {old, text.substr(0, text.size() / 2), text.substr(0, text.size() - 4),
          text + "line 1 2 3\n", std::string()}) {
        std::istringstream in(bad);
        EXPECT_FALSE(readStrategyChart(in, GameType{2}).has_value()) << bad.size();
    }
}

// The review names, beside a mistake, the line of the chart of its game
// type that holds the best cards.
TEST_F(Charts, AMistakeNamesTheLineThatPlaysItRight) {
    Mistake m;
    m.gameType = GameType::NoJoker;
    for (int32_t k = 1; k <= kSlots; ++k) {
        m.dealt[static_cast<size_t>(k)] =
            *parseCard(std::array{"AS", "KS", "QS", "JS", "9D"}[k - 1]);
    }
    m.held = 0b00011;  // the ace and the king the game suggests
    m.best = 0b01111;
    const ChartChoice choice = chart(3).choose(m.dealt);
    ASSERT_EQ(choice.hold, m.best);
    EXPECT_EQ(chartLineOf(m, &chart(3)), choice.line);
    EXPECT_EQ(chartLineOf(m, &chart(2)), 0);
    EXPECT_EQ(chartLineOf(m, nullptr), 0);
}

// brisko-analyze strategy, reading the charts kept in a folder of its own.
TEST_F(Charts, CommandLine) {
    namespace fs = std::filesystem;
    const fs::path cache = fs::path(::testing::TempDir()) / "brisko-strategy-test";
    fs::remove_all(cache);
    fs::create_directories(cache);
    for (int32_t type = 1; type <= kGameTypes; ++type) {
        std::ofstream out(cache / strategyChartFileName(GameType{type}));
        writeStrategyChart(chart(type), out);
    }
    auto run = [&](std::vector<std::string> args, std::string& out) {
        args.insert(args.begin(), "strategy");
        args.push_back("--cache");
        args.push_back(cache.string());
        std::istringstream in;
        std::ostringstream o;
        std::ostringstream e;
        const int status = runAnalyze(args, in, o, e);
        out = o.str() + e.str();
        return status;
    };
    std::string text;
    for (int32_t type = 1; type <= kGameTypes; ++type) {
        for (const char* lang : {"en", "fr"}) {
            ASSERT_EQ(run({std::to_string(type), "--lang", lang}, text), 0) << text;
            const auto rtp = calculator->gameReturns(GameType{type});
            const std::string last = "return chart=" + chart(type).chartReturn.rounded(6) +
                                     " best=" + rtp[0].perCredit.rounded(6) +
                                     " suggested=" + rtp[1].perCredit.rounded(6) + "\n";
            ASSERT_GE(text.size(), last.size());
            EXPECT_EQ(text.substr(text.size() - last.size()), last);
            // Every line is printed with its words.
            for (const ChartSection& s : chart(type).sections) {
                for (const ChartLine& l : s.lines) {
                    const Language language = lang[0] == 'f' ? Language::French : Language::English;
                    EXPECT_NE(text.find(chartLineText(l, language)), std::string::npos) << l.number;
                }
            }
        }
    }
    // Known deals: the hold, and words of the line that chose it.
    struct Known {
        int32_t type;
        std::vector<std::string> cards;
        const char* hold;
        const char* words;
    };
    for (const Known& k : {
             Known{3, {"AS", "KS", "QS", "JS", "9D"}, "11110", "Four to a royal flush"},
             Known{3, {"2H", "2D", "7C", "9S", "KD"}, "11000", "Low pair"},
             Known{3, {"KS", "8D", "5C", "3H", "2S"}, "10000", "One card alone: a king or an ace"},
             Known{2, {"AH", "KH", "QH", "JH", "10H"}, "11111", "Royal flush"},
             Known{2, {"7S", "7H", "JK", "2C", "9D"}, "11100", "Joker + any pair"},
             Known{1, {"JK", "4C", "9D", "QS", "2H"}, "10100", "Joker + one card alone"},
         }) {
        std::vector<std::string> args{std::to_string(k.type), "--hold"};
        args.insert(args.end(), k.cards.begin(), k.cards.end());
        ASSERT_EQ(run(args, text), 0) << text;
        int line = 0;
        char hold[6] = {};
        ASSERT_EQ(std::sscanf(text.c_str(), "hold=%5s line=%d", hold, &line), 2) << text;
        EXPECT_STREQ(hold, k.hold) << k.cards[0];
        const ChartLine* l = chart(k.type).line(line);
        ASSERT_NE(l, nullptr) << text;
        EXPECT_EQ(chartLineText(*l, Language::English).rfind(k.words, 0), 0u)
            << chartLineText(*l, Language::English);
    }
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"4"},
             {"1", "--hold", "AS", "KS", "QS", "JS", "9D"},
             {"3", "--hold", "AS", "KS", "QS", "JS", "JK"},
             {"3", "--hold", "AS", "KS", "QS", "JS"},
             {"3", "--hold", "AS", "KS", "QS", "JS", "AS"},
             {"3", "--lang", "de"},
         }) {
        EXPECT_EQ(run(bad, text), 2) << bad.back();
        EXPECT_NE(text.find("strategy"), std::string::npos);
    }
    fs::remove_all(cache);
}

}  // namespace
}  // namespace brisko
