// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games, one after the other in one session, as a player who bets,
// holds and doubles at random would play them: every game type and target,
// the double-up always taken, always refused, or switched off. After every
// deal, draw and settlement the cards, the credit and the best-score lists are
// checked. BRISKO_SOAK_GAMES sets the number of games (one of each kind by
// default).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

#include "helpers.h"
#include "records/memory_store.h"
#include "table/null_view.h"
#include "table/world.h"

namespace brisko {
namespace {

using SilentTable = NullTableView;

enum class DoubleUp { Taken, Refused, Off };

struct Figures {
    int64_t games = 0, draws = 0, wins = 0, doubleUps = 0, picksWon = 0, picksLost = 0, ties = 0,
            jokers = 0;
};

using Hand = std::array<int32_t, kSlots + 1>;

constexpr int32_t kJoker = 53;

int jokersIn(const Hand& hand) {
    return static_cast<int>(std::count(hand.begin() + 1, hand.end(), kJoker));
}

class Soak {
  public:
    explicit Soak(uint32_t seed) : rng_(seed), world_(clock_, store_, table_) {
        world_.texts.setLanguage(Language::French);
        world_.records.LoadSettings();
    }

    // One whole game; an unlimited one stops after `unlimitedDraws`.
    void play(int32_t type, int32_t target, DoubleUp policy, int32_t unlimitedDraws) {
        Settings& s = world_.records.settings;
        s.gameType = GameType{type};
        s.targetIndex = target;
        s.optionDoublagePropose = policy == DoubleUp::Off ? 0 : 1;
        s.optionSuggestionCartes = coin() ? 1 : 0;
        s.optionYourName = "SOAK" + std::to_string(figures.games % 1000);
        world_.records.SaveSettings();
        GameTable& table = world_.table;
        table.startNewGame();
        ASSERT_EQ(table.state.credit, kStartCredit);
        ASSERT_EQ(table.state.drawNumber, 0);

        const int32_t draws = target == kUnlimitedTarget ? unlimitedDraws : kTargetDraws[target];
        for (int32_t n = 1; n <= draws; ++n) {
            ASSERT_TRUE(table.allows(TableCommand::DealOrDraw)) << "draw " << n;
            playDraw(type, policy);
            if (::testing::Test::HasFatalFailure()) return;
            ASSERT_EQ(table.state.drawNumber, n);
        }
        // A limited game ends at its target, and betting stays closed.
        if (target != kUnlimitedTarget) {
            EXPECT_FALSE(table.allows(TableCommand::DealOrDraw));
            EXPECT_FALSE(table.allows(TableCommand::BetPlus));
            EXPECT_FALSE(table.allows(TableCommand::BetMax));
        }
        ASSERT_TRUE(world_.records.SettingsValid());
        ++figures.games;
    }

    Figures figures;

  private:
    bool coin() { return std::uniform_int_distribution<int>(0, 1)(rng_) == 1; }
    int32_t upTo(int32_t n) { return std::uniform_int_distribution<int32_t>(1, n)(rng_); }
    void tickClock() { clock_.set(upTo(kMillisecondsPerDay) - 1); }

    void checkCards(const Hand& hand, const char* when) {
        std::set<int32_t> distinct;
        for (int32_t k = 1; k <= kSlots; ++k) {
            ASSERT_GE(hand[k], 1) << when;
            ASSERT_LE(hand[k], 53) << when;
            distinct.insert(hand[k]);
        }
        ASSERT_EQ(distinct.size(), 5u) << when;
    }

    void playDraw(int32_t type, DoubleUp policy) {
        GameTable& table = world_.table;
        const int32_t credit = table.state.credit;
        int32_t bet = 0;
        ASSERT_NO_FATAL_FAILURE(betAndDeal(type, bet));
        ASSERT_NO_FATAL_FAILURE(holdAndDraw(type, bet));
        const int32_t won = table.state.win;
        ASSERT_NO_FATAL_FAILURE(doubleUpUntilSettled(policy));

        // Settled: the credit is the old one less the bet plus what was kept.
        ASSERT_EQ(table.state.phase(), Phase::AwaitingDeal);
        ASSERT_FALSE(table.state.doubleUpActive());
        const int32_t kept = table.state.win;
        ASSERT_TRUE(kept == 0 || kept == won || (won > 0 && kept % won == 0))
            << "kept " << kept << " of a win of " << won;
        ASSERT_EQ(int64_t{table.state.credit}, int64_t{credit} - bet + kept);
        ++figures.draws;
    }

    // The bet: carried, raised a few times, or the maximum; reaching 20 deals
    // at once. Then the deal: the bet charged once, five distinct cards, the
    // joker by type.
    void betAndDeal(int32_t type, int32_t& bet) {
        GameTable& table = world_.table;
        const int32_t credit = table.state.credit;
        const int32_t drawNumber = table.state.drawNumber;
        ASSERT_EQ(table.state.phase(), Phase::AwaitingDeal);
        tickClock();
        switch (upTo(4)) {
            case 1:
                break;
            case 2:
                for (int32_t k = upTo(25); k > 0; --k) table.betPlus();
                break;
            case 3:
                table.betMax();
                break;
            default:
                table.betPlus();
                table.betMax();
        }
        if (table.state.phase() == Phase::AwaitingDeal) table.dealOrDraw();

        ASSERT_EQ(table.state.phase(), Phase::AwaitingDraw);
        ASSERT_EQ(table.state.drawNumber, drawNumber + 1);
        bet = table.state.bet;
        ASSERT_GE(bet, 1);
        ASSERT_LE(bet, kMaxBet);
        ASSERT_EQ(credit - table.state.credit, bet);
        checkCards(world_.cards.hand, "after the deal");
        const int dealt = jokersIn(world_.cards.hand);
        ASSERT_EQ(dealt, type == 1 ? 1 : type == 3 ? 0 : dealt) << "after the deal";
        ASSERT_LE(dealt, 1);
    }

    // The holds, clicked at random over the suggestion, then the draw: held
    // cards stay; a replaced slot never gets a card that was in the hand,
    // except the joker coming back in type 2.
    void holdAndDraw(int32_t type, int32_t bet) {
        GameTable& table = world_.table;
        EngineState& cards = world_.cards;
        for (int32_t k = upTo(7) - 1; k > 0; --k) table.clickCard(upTo(kSlots));
        const Hand before = cards.hand;
        std::array<bool, kSlots + 1> held{};
        for (int32_t k = 1; k <= kSlots; ++k) held[k] = cards.held[k];
        tickClock();
        table.dealOrDraw();

        checkCards(cards.hand, "after the draw");
        bool jokerHeld = false;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (held[k]) {
                ASSERT_EQ(cards.hand[k], before[k]) << "a held card changed";
                jokerHeld = jokerHeld || before[k] == kJoker;
            } else if (cards.hand[k] != kJoker) {
                ASSERT_EQ(std::count(before.begin() + 1, before.end(), cards.hand[k]), 0)
                    << "a card of the hand came back in slot " << k;
            }
        }
        const int drawn = jokersIn(cards.hand);
        const int expected = type == 1 ? (jokerHeld ? 1 : 0) : type == 3 ? 0 : drawn;
        ASSERT_EQ(drawn, expected) << "joker rule of type " << type << " after the draw";
        ASSERT_LE(drawn, 1);
        figures.jokers += drawn;

        const int32_t won = table.state.win;
        ASSERT_TRUE(std::any_of(payMultiplier.begin(), payMultiplier.end(),
                                [&](int32_t m) { return won == m * bet; }))
            << "win " << won << " for a bet of " << bet;
        if (won > 0) ++figures.wins;
    }

    // The double-up, until the draw is settled.
    void doubleUpUntilSettled(DoubleUp policy) {
        GameTable& table = world_.table;
        EngineState& cards = world_.cards;
        for (int rounds = 0; table.allows(TableCommand::Double); ++rounds) {
            ASSERT_EQ(policy == DoubleUp::Off, false) << "an offer with the option off";
            ASSERT_TRUE(table.state.doubleUpActive());
            for (int32_t k = upTo(3) - 1; k > 0; --k) table.TimerYesNoDoublageTimer();
            if (policy == DoubleUp::Refused || rounds > 200) {
                table.ButtonNoDoubleClick();
                break;
            }
            ++figures.doubleUps;
            const int32_t stake = table.state.win;
            table.ButtonYesDoubleClick();
            ASSERT_EQ(table.state.phase(), Phase::DoubleUpPick);
            checkCards(cards.hand, "in the double-up");
            ASSERT_EQ(jokersIn(cards.hand), 0) << "a joker in the double-up";
            for (int32_t k = upTo(4) - 1; k > 0; --k) table.timerCarteDoublageTimer();
            const int32_t slot = 1 + upTo(4);
            const int32_t dealerRank = cardTable[cards.hand[1]].rank;
            const int32_t pickedRank = cardTable[cards.hand[slot]].rank;
            table.clickCard(slot);
            if (pickedRank < dealerRank) {
                ++figures.picksLost;
                ASSERT_EQ(table.state.win, 0);
                if (coin()) table.TimerVoirDoubleTimer();
            } else if (pickedRank == dealerRank) {
                ++figures.ties;
                ASSERT_EQ(table.state.win, stake);
            } else {
                ++figures.picksWon;
                ASSERT_EQ(table.state.win,
                          static_cast<int32_t>(std::min<int64_t>(2 * int64_t{stake}, INT32_MAX)));
            }
        }
    }

    std::mt19937 rng_;
    FixedClock clock_;
    MemoryStore store_;
    SilentTable table_;
    World world_;
};

int64_t soakGames() {
    if (const char* games = std::getenv("BRISKO_SOAK_GAMES")) return std::atoll(games);
    return 3 * kTargets * 3;
}

TEST(GameSoak, WholeGamesOfEveryKindKeepEveryRule) {
    Soak soak(20261208);
    const int64_t games = soakGames();
    const DoubleUp policies[] = {DoubleUp::Taken, DoubleUp::Refused, DoubleUp::Off};
    for (int64_t g = 0; g < games; ++g) {
        const int32_t type = static_cast<int32_t>(g % 3) + 1;
        const int32_t target = static_cast<int32_t>((g / 3) % kTargets) + 1;
        const DoubleUp policy = policies[(g / (3 * kTargets)) % 3];
        soak.play(type, target, policy, 30 + static_cast<int32_t>(g % 41));
        ASSERT_FALSE(::testing::Test::HasFailure())
            << "game " << g << ": type " << type << ", target " << target << ", policy "
            << static_cast<int>(policy);
    }
    const Figures& f = soak.figures;
    EXPECT_EQ(f.games, games);
    std::printf(
        "[ figures  ] %lld games, %lld draws, %lld wins, %lld double-ups (%lld won, %lld lost, "
        "%lld ties), %lld jokers after a draw\n",
        static_cast<long long>(f.games), static_cast<long long>(f.draws),
        static_cast<long long>(f.wins), static_cast<long long>(f.doubleUps),
        static_cast<long long>(f.picksWon), static_cast<long long>(f.picksLost),
        static_cast<long long>(f.ties), static_cast<long long>(f.jokers));
}

}  // namespace
}  // namespace brisko
