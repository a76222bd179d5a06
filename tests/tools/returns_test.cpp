// SPDX-License-Identifier: GPL-3.0-or-later
// The exact returns: every hold's value against plain enumeration of the
// draws, the tables against the rank counting, the suit classes against every
// deal, and the game types' joker rules against dealHand and drawCards.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "engine/returns.h"
#include "tools/analyze.h"

namespace brisko {
namespace {

// A deal the game type can make: five ordinary cards, or four and the joker
// in a random slot. Fixed seeds keep the deals the same on every run.
Hand randomDeal(std::mt19937& rng, bool joker) {
    std::vector<int32_t> deck;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) deck.push_back(c);
    std::shuffle(deck.begin(), deck.end(), rng);
    Hand h{0, deck[0], deck[1], deck[2], deck[3], deck[4]};
    if (joker) h[1 + rng() % 5] = kJoker;
    return h;
}

// Plain enumeration of every draw for one hold: the new cards go into the
// discarded slots in order, the hand is evaluated by evaluateHand and paid.
struct Sum {
    int64_t pay = 0;
    int64_t draws = 0;
};

void everyDraw(const Hand& dealt, const std::vector<int32_t>& pool,
               const std::vector<int32_t>& slots, size_t next, size_t from, Hand& hand, Sum& sum) {
    if (next == slots.size()) {
        EngineState s;
        s.hand = hand;
        sum.pay += payMultiplier[static_cast<int32_t>(evaluateHand(s))];
        ++sum.draws;
        return;
    }
    for (size_t i = from; i < pool.size(); ++i) {
        hand[slots[next]] = pool[i];
        everyDraw(dealt, pool, slots, next + 1, i + 1, hand, sum);
    }
}

// The value of a hold as (numerator, denominator).
std::pair<Int128, Int128> bruteForce(const Hand& dealt, HoldMask hold, int32_t gameType) {
    std::vector<int32_t> pool;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        if (std::find(dealt.begin() + 1, dealt.end(), c) == dealt.end()) pool.push_back(c);
    }
    std::vector<int32_t> open;
    bool jokerHeld = false;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if ((hold >> (k - 1)) & 1) {
            jokerHeld = jokerHeld || dealt[k] == kJoker;
        } else {
            open.push_back(k);
        }
    }
    Hand hand = dealt;
    Sum plain;
    everyDraw(dealt, pool, open, 0, 0, hand, plain);
    const int32_t held = kSlots - static_cast<int32_t>(open.size());
    if (gameType != 2 || jokerHeld || held == kSlots) return {plain.pay, plain.draws};
    // The joker takes one of the open slots; which one does not change the hand.
    const int32_t j = 20 * (kSlots - held) - 1;
    hand = dealt;
    hand[open.back()] = kJoker;
    open.pop_back();
    Sum joker;
    everyDraw(dealt, pool, open, 0, 0, hand, joker);
    return {Int128{1060 - j} * plain.pay * joker.draws + Int128{j} * joker.pay * plain.draws,
            Int128{1060} * plain.draws * joker.draws};
}

void expectSame(const Fraction& f, const std::pair<Int128, Int128>& brute, const Hand& h,
                HoldMask hold) {
    EXPECT_TRUE(f.num() * brute.second == brute.first * f.den())
        << cardName(h[1]) << ' ' << cardName(h[2]) << ' ' << cardName(h[3]) << ' ' << cardName(h[4])
        << ' ' << cardName(h[5]) << " hold " << hold << ": " << f.exact() << " vs "
        << toString(brute.first) << '/' << toString(brute.second);
}

TEST(HoldValues, EqualPlainEnumerationOfEveryDraw) {
    const FastEvaluator fast;
    std::mt19937 rng(20261208);
    for (int32_t type = 1; type <= 3; ++type) {
        // (deals, fewest cards held): the hold-nothing draws are costly.
        for (const auto& [deals, fewest] : {std::pair{1, 0}, std::pair{20, 2}, {300, 3}}) {
            for (int32_t d = 0; d < deals; ++d) {
                const bool joker = type == 1 || (type == 2 && d % 2 == 1);
                const Hand h = randomDeal(rng, joker);
                const auto values = holdValues(fast, h, GameType{type}, fewest);
                for (HoldMask hold = 0; hold < kHoldCount; ++hold) {
                    if (std::popcount(hold) < fewest) continue;
                    expectSame(values[hold], bruteForce(h, hold, type), h, hold);
                }
            }
        }
    }
}

TEST(HoldValues, KnownHands) {
    const FastEvaluator fast;
    // Four to the royal flush without the joker: 1 royal, 8 flushes, 3
    // straights and 6 pairs of kings or aces among the 47 cards.
    const Hand h{0,
                 *parseCard("AS"),
                 *parseCard("KS"),
                 *parseCard("QS"),
                 *parseCard("JS"),
                 *parseCard("9D")};
    const auto values = holdValues(fast, h, GameType{3});
    EXPECT_EQ(values[0b01111], Fraction(500 + 8 * 12 + 3 * 8 + 6, 47));
    EXPECT_EQ(values[0b11111], Fraction(0, 1));
    EXPECT_EQ(suggestedHold(fast, h), 0b00011u);  // the ace and the king
    // A dealt royal flush held is worth 500 in every game type.
    const Hand royal{0, 1, 13, 12, 11, 10};
    EXPECT_EQ(holdValues(fast, royal, GameType{2})[31], Fraction(500, 1));
    EXPECT_EQ(holdValues(fast, royal, GameType{3})[31], Fraction(500, 1));
}

class Tables : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        evaluator = new FastEvaluator;
        calculator = new ReturnCalculator(*evaluator, 2);
    }
    static void TearDownTestSuite() {
        delete calculator;
        delete evaluator;
    }
    static inline FastEvaluator* evaluator = nullptr;
    static inline ReturnCalculator* calculator = nullptr;
};

TEST_F(Tables, GiveTheValuesOfTheRankCounting) {
    std::mt19937 rng(7);
    for (int32_t type = 1; type <= 3; ++type) {
        for (int32_t d = 0; d < 300; ++d) {
            const Hand h = randomDeal(rng, type == 1 || (type == 2 && d % 2 == 0));
            // Every hold for some deals; the cheaper ones for the rest.
            const int32_t fewest = d < 40 ? 0 : 2;
            const auto values = calculator->holdValues(h, GameType{type});
            const auto counted = holdValues(*evaluator, h, GameType{type}, fewest);
            for (HoldMask hold = 0; hold < kHoldCount; ++hold) {
                if (std::popcount(hold) < fewest) continue;
                EXPECT_EQ(values[hold], counted[hold]) << type << ' ' << d << ' ' << hold;
            }
        }
    }
}

// A sum too large for 128 bits stops the analysis instead of wrapping round.
TEST(Fractions, OverflowIsAnError) {
    const Int128 big = Int128{1} << 100;
    EXPECT_THROW(Fraction(1, big) + Fraction(1, big - 1), std::overflow_error);
    EXPECT_THROW(checkedAdd(big << 26, big << 26), std::overflow_error);
}

TEST_F(Tables, SuitClassesGiveTheReturnOfEveryDeal) {
    EXPECT_EQ(suitClassCount(5), 134'459);
    EXPECT_EQ(suitClassCount(4), 16'432);
    const auto byClass = calculator->gameReturns(GameType{1}, true);
    const auto byDeal = calculator->gameReturns(GameType{1}, false);
    for (int32_t s = 0; s < 2; ++s) {
        EXPECT_EQ(byClass[s].perCredit, byDeal[s].perCredit);
        EXPECT_EQ(byClass[s].categories, byDeal[s].categories);
    }
}

// The figures kept in engine/exact_returns.cpp are the calculation's too.
TEST_F(Tables, ReturnsOfTheThreeGameTypes) {
    struct Pinned {
        int32_t type;
        const char* optimal;
        const char* suggest;
    };
    for (const Pinned& p : {
             Pinned{1, "20336057977/3511844700", "5769009563/1254230250"},
             Pinned{2, "1775726922195149083/933207408713580000",
                    "3019171184146296547/1866414817427160000"},
             Pinned{3, "1023854413711/830551271550", "88827093163/83055127155"},
         }) {
        const auto r = calculator->gameReturns(GameType{p.type});
        EXPECT_EQ(r[0].perCredit.exact(), p.optimal) << p.type;
        EXPECT_EQ(r[1].perCredit.exact(), p.suggest) << p.type;
        const auto& kept = exactReturns(GameType{p.type});
        const char* remake = "remake engine/exact_returns.cpp: brisko-analyze rtp --format cpp";
        for (size_t s = 0; s < r.size(); ++s) {
            EXPECT_EQ(kept[s].gameType, r[s].gameType) << remake;
            EXPECT_EQ(kept[s].strategy, r[s].strategy) << remake;
            EXPECT_EQ(kept[s].perCredit, r[s].perCredit) << remake;
            EXPECT_EQ(kept[s].categories, r[s].categories) << remake;
            EXPECT_EQ(kept[s].standardDeviation, r[s].standardDeviation) << remake;
        }
        for (const GameReturn& g : r) {
            Fraction total;
            Fraction paid;
            for (int32_t c = 0; c < kCategoryCount; ++c) {
                total = total + g.categories[c];
                paid = paid + g.categories[c] * Fraction(payMultiplier[c], 1);
            }
            EXPECT_EQ(total, Fraction(1, 1));
            EXPECT_EQ(paid, g.perCredit);
        }
    }
}

// The draw of 1..n that a seed gives, as randomFrom takes it.
int32_t drawOf(uint32_t seed, int32_t n) {
    return static_cast<int32_t>((uint64_t{seed} * static_cast<uint32_t>(n)) >> 32) + 1;
}

// The seed one step before: the inverse of seed * 134775813 + 1.
uint32_t seedBefore(uint32_t seed) {
    uint32_t inverse = 134775813u;  // Newton's iteration for the odd multiplier's inverse
    for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
    return (seed - 1u) * inverse;
}

bool hasJoker(const Hand& h) {
    return std::find(h.begin() + 1, h.end(), kJoker) != h.end();
}

// The joker of game type 2 comes exactly for the draws of 1..1060 below
// 100 at the deal and below 20 x (5 - held) at the draw, from the last draw
// of 1060 before the slot: counted over every one of many clock readings.
TEST(GameTypeRules, JokerChancesOfGameTypeTwo) {
    std::array<std::array<int32_t, 1061>, 6> withJoker{};
    std::array<std::array<int32_t, 1061>, 6> seen{};
    FixedClock clock;
    std::mt19937 readings(1060);  // the draws' readings, unrelated to the deals'
    for (int32_t ms = 0; ms < 400'000; ++ms) {
        clock.set(ms * 211);
        EngineState s;
        dealHand(s, GameType{2}, clock);
        const bool dealtJoker = hasJoker(s.hand);
        const uint32_t last = dealtJoker ? seedBefore(s.random.randSeed) : s.random.randSeed;
        const int32_t x = drawOf(last, 1060);
        ++seen[5][x];
        withJoker[5][x] += dealtJoker;
        // The draw, holding ms % 5 ordinary cards.
        const int32_t held = ms % 5;
        s.held = {};
        for (int32_t k = 1, n = 0; k <= kSlots && n < held; ++k) {
            if (s.hand[k] != kJoker) s.held[k] = ++n > 0;
        }
        const Hand before = s.hand;
        clock.set(static_cast<int32_t>(readings() % kMillisecondsPerDay));
        drawCards(s, GameType{2}, clock);
        int32_t jokers = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (s.held[k]) {
                EXPECT_EQ(s.hand[k], before[k]);
                continue;
            }
            if (s.hand[k] == kJoker) {
                ++jokers;
                continue;
            }
            // New cards come from the ordinary cards not in the hand before.
            EXPECT_EQ(std::find(before.begin() + 1, before.end(), s.hand[k]), before.end());
        }
        ASSERT_LE(jokers, 1);
        const uint32_t drawSeed = jokers ? seedBefore(s.random.randSeed) : s.random.randSeed;
        const int32_t y = drawOf(drawSeed, 1060);
        ++seen[held][y];
        withJoker[held][y] += jokers;
    }
    for (int32_t held = 0; held <= 5; ++held) {
        const int32_t below = held == 5 ? 100 : 20 * (5 - held);
        for (int32_t x = 1; x <= 1060; ++x) {
            ASSERT_GT(seen[held][x], 0) << held << ' ' << x;
            EXPECT_EQ(withJoker[held][x], x < below ? seen[held][x] : 0) << held << ' ' << x;
        }
    }
}

// Game types 1 and 3: the deal's ordinary cards are a uniform set (each card
// about equally often), the joker is in every deal of type 1 and never in
// type 3, and no draw brings the joker or a card of the hand before it, while
// every card comes about equally often.
TEST(GameTypeRules, DealsAndDrawsOfGameTypesOneAndThree) {
    for (int32_t type : {1, 3}) {
        std::array<int32_t, 54> dealt{};
        std::array<int32_t, 54> drawn{};
        FixedClock clock;
        std::mt19937 readings(type);  // the draws' readings, unrelated to the deals'
        const int32_t deals = 104'000;
        for (int32_t ms = 0; ms < deals; ++ms) {
            clock.set(ms * 797);
            EngineState s;
            dealHand(s, GameType{type}, clock);
            EXPECT_EQ(hasJoker(s.hand), type == 1);
            for (int32_t k = 1; k <= kSlots; ++k) ++dealt[s.hand[k]];
            s.held = {};
            s.held[1] = s.hand[1] != kJoker;
            const Hand before = s.hand;
            clock.set(static_cast<int32_t>(readings() % kMillisecondsPerDay));
            drawCards(s, GameType{type}, clock);
            EXPECT_EQ(s.hand[1], s.held[1] ? before[1] : s.hand[1]);
            for (int32_t k = 2; k <= kSlots; ++k) {
                ASSERT_NE(s.hand[k], kJoker);
                EXPECT_EQ(std::find(before.begin() + 1, before.end(), s.hand[k]), before.end());
                ++drawn[s.hand[k]];
            }
        }
        const double perCard = (type == 1 ? 4.0 : 5.0) * deals / 52;
        for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
            EXPECT_NEAR(dealt[c], perCard, 5 * std::sqrt(perCard)) << type << ' ' << c;
            // Four new cards a draw, each card alike.
            EXPECT_NEAR(drawn[c], 4.0 * deals / 52, 5 * std::sqrt(4.0 * deals / 52));
        }
        EXPECT_EQ(dealt[kJoker], type == 1 ? deals : 0);
    }
}

// The returns take the suggestion of one slot order per deal: the cards it
// holds must not depend on the order, nor on the joker's slot.
TEST(SuggestedHold, SameCardsInEverySlotOrder) {
    const FastEvaluator fast;
    auto heldCards = [&](const Hand& h) {
        const HoldMask m = suggestedHold(fast, h);
        uint64_t cards = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if ((m >> (k - 1)) & 1) cards |= uint64_t{1} << h[k];
        }
        return cards;
    };
    int64_t differ = 0;
    for (int32_t a = 1; a <= 52; ++a)
        for (int32_t b = a + 1; b <= 52; ++b)
            for (int32_t c = b + 1; c <= 52; ++c)
                for (int32_t d = c + 1; d <= 52; ++d) {
                    const uint64_t first = heldCards(Hand{0, a, b, c, d, kJoker});
                    differ += heldCards(Hand{0, kJoker, c, a, d, b}) != first;
                    differ += heldCards(Hand{0, d, kJoker, b, c, a}) != first;
                    for (int32_t e = d + 1; e <= 52; e += 3) {
                        differ +=
                            heldCards(Hand{0, a, b, c, d, e}) != heldCards(Hand{0, e, c, d, a, b});
                    }
                }
    EXPECT_EQ(differ, 0);
}

// Game type 1 deals five ordinary cards and puts the joker over one: the card
// lost that way is back among the 48 that the draw takes from.
TEST(GameTypeRules, TheCardUnderTheJokerCanComeBack) {
    FixedClock clock;
    const int32_t deals = 96'000;
    std::mt19937 readings(48);
    int32_t back = 0;
    for (int32_t ms = 0; ms < deals; ++ms) {
        clock.set(ms * 409);
        EngineState plain;
        dealHand(plain, GameType{3}, clock);  // the same cards, before the joker comes
        EngineState s;
        dealHand(s, GameType{1}, clock);
        int32_t lost = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (s.hand[k] == kJoker) {
                lost = plain.hand[k];
            } else {
                ASSERT_EQ(s.hand[k], plain.hand[k]);
                s.held[k] = true;
            }
        }
        // Another reading, unrelated to the deal's: in the same millisecond the
        // draw would replay the deal, and a fixed delay ties the two as well.
        clock.set(static_cast<int32_t>(readings() % kMillisecondsPerDay));
        drawCards(s, GameType{1}, clock);
        back += std::find(s.hand.begin() + 1, s.hand.end(), lost) != s.hand.end();
    }
    // One draw in 48.
    EXPECT_NEAR(back, deals / 48.0, 5 * std::sqrt(deals / 48.0));
}

// The README and the help files show the tables the tool makes today.
TEST(ReturnCommands, DocumentsShowTheReturnsOfTheTool) {
    auto fileText = [](const std::string& name) {
        std::ifstream in(std::string(BRISKO_SOURCE_DIR) + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    for (const auto& [format, file] : {std::pair{"markdown", "README.md"},
                                       {"html-fr", "assets/pokerfr.hlp"},
                                       {"html-en", "assets/pokerus.hlp"}}) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(runAnalyze({"rtp", "--format", format}, in, out, err), 0);
        EXPECT_NE(fileText(file).find(out.str()), std::string::npos)
            << file << " should hold the output of brisko-analyze rtp --format " << format;
    }
}

TEST(ReturnCommands, AdviseAndRtp) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runAnalyze({"advise", "AS", "KS", "QS", "JS", "9D"}, in, out, err), 0);
    const std::string advice = out.str();
    EXPECT_NE(advice.find("Game type 3"), std::string::npos);
    // Best first: four to the royal flush; the game suggests the ace and king.
    EXPECT_NE(advice.find("\n  13.319148936  AS KS QS JS       626/47\n"), std::string::npos)
        << advice;
    EXPECT_LT(advice.find("626/47"), advice.find("\n* "));
    EXPECT_NE(advice.find("\n* 0.539993832  AS KS             8756/16215\n"), std::string::npos);
    std::ostringstream table;
    ASSERT_EQ(runAnalyze({"rtp", "--game-type", "3", "--format", "markdown"}, in, table, err), 0);
    EXPECT_NE(table.str().find("| 3 (WITHOUT JOKER) | 1.232740769 = 1023854413711/830551271550 | "
                               "1.069495601 = 88827093163/83055127155 |"),
              std::string::npos)
        << table.str();
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"advise", "AS", "KS", "QS", "JS"},
             {"advise", "AS", "KS", "QS", "JS", "XX"},
             {"advise", "AS", "KS", "QS", "JS", "AS"},
             {"advise", "AS", "KS", "QS", "JS", "9D", "--game-type", "1"},
             {"advise", "AS", "KS", "QS", "JS", "JK", "--game-type", "3"},
             {"advise", "AS", "KS", "QS", "JS", "9D", "--game-type", "4"},
             {"rtp", "--game-type", "0"},
             {"rtp", "--strategy", "best"},
         }) {
        std::ostringstream o;
        std::ostringstream e;
        EXPECT_EQ(runAnalyze(bad, in, o, e), 2) << bad.back();
        EXPECT_FALSE(e.str().empty());
    }
}

}  // namespace
}  // namespace brisko
