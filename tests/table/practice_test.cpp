// SPDX-License-Identifier: GPL-3.0-or-later
// Practice deals beside the game, and the trainer's option that holds the
// best hold after each deal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fast_eval.h"
#include "fake_view.h"

namespace brisko::testing {
namespace {

// The events by name; the practice deal's own with what tells them apart.
struct Journal final : GameListener {
    std::vector<std::string> heard;
    std::optional<HandDealt> dealt;
    void onEvent(const GameEvent& event) override {
        if (const auto* d = std::get_if<HandDealt>(&event)) dealt = *d;
        heard.push_back(std::visit(
            Overloaded{
                [](const PracticeDealt& e) { return "practice dealt " + std::to_string(e.bet); },
                [](const PracticeHoldsChanged& e) {
                    return "practice holds " + std::to_string(e.held);
                },
                [](const PracticeDrawn& e) {
                    return "practice drawn " + std::to_string(e.wouldPay);
                },
                [](const PracticeEnded&) -> std::string { return "practice ended"; },
                [](const auto&) -> std::string { return "game"; },
            },
            event));
    }
};

// Everything of the game a practice deal must leave as it found it.
void expectSameGame(Game& g, const GameState& s, const EngineState& c) {
    const GameState& now = g.state();
    EXPECT_EQ(now.credit, s.credit);
    EXPECT_EQ(now.bet, s.bet);
    EXPECT_EQ(now.lastBet, s.lastBet);
    EXPECT_EQ(now.betPlacedThisDraw, s.betPlacedThisDraw);
    EXPECT_EQ(now.drawNumber, s.drawNumber);
    EXPECT_EQ(now.stage, s.stage);
    EXPECT_EQ(now.win, s.win);
    EXPECT_EQ(now.revealPending, s.revealPending);
    const EngineState& cards = g.cards();
    EXPECT_EQ(cards.hand, c.hand);
    EXPECT_EQ(cards.held, c.held);
    EXPECT_EQ(cards.usedCards, c.usedCards);
    EXPECT_EQ(cards.markedCards, c.markedCards);
    EXPECT_EQ(cards.pairRank, c.pairRank);
    EXPECT_EQ(cards.random.randSeed, c.random.randSeed);
    EXPECT_EQ(g.table().inconsistency(), "");
}

// The window as the player sees it; which cards were painted in which order
// is left out.
void expectSameLook(const Controls& now, const Controls& before) {
    EXPECT_EQ(now.captions, before.captions);
    EXPECT_EQ(now.visible, before.visible);
    EXPECT_EQ(now.enabled, before.enabled);
    EXPECT_EQ(now.colours, before.colours);
    EXPECT_EQ(now.focus, before.focus);
    EXPECT_EQ(now.timers, before.timers);
}

// Four to a royal flush and a seven.
Hand royalDraw() {
    return {
        0, cardIndex(1, 10), cardIndex(1, 11), cardIndex(1, 12), cardIndex(1, 13), cardIndex(2, 7)};
}

TEST(PracticeDeal, LeavesTheGameWhereItStoodAndCountsNowhere) {
    Game g({.doubleUp = false});
    g.table().betPlus();  // bet 2
    g.table().dealOrDraw();
    g.table().clickCard(1);
    g.table().dealOrDraw();
    const GameState state = g.state();
    const EngineState cards = g.cards();
    const Controls look = g.controls;
    Journal journal;
    g.table().listen(journal);

    ASSERT_TRUE(g.table().practise(royalDraw(), GameType::NoJoker));
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    EXPECT_EQ(g.controls.caption(Control::panelNumeroTirage), "Practice deal");
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtPracticeHoldPrompt));
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    EXPECT_EQ(g.table().inconsistency(), "");
    g.table().betPlus();  // betting waits for the practice deal
    for (int32_t k = 1; k <= 4; ++k) g.table().clickCard(k);
    EXPECT_TRUE(g.controls.isVisible(holdLabel(4)));
    g.clock.set(777);
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_EQ(g.state().credit, state.credit);
    EXPECT_EQ(g.state().drawNumber, state.drawNumber);
    EXPECT_EQ(g.resultLine().rfind(" PRACTICE DEAL: ", 0), 0u) << g.resultLine();
    EXPECT_EQ(g.table().inconsistency(), "");

    g.table().endPractice();
    expectSameGame(g, state, cards);
    expectSameLook(g.controls, look);
    ASSERT_EQ(journal.heard.size(), 7u);
    EXPECT_EQ(journal.heard[0], "practice dealt 2");
    EXPECT_EQ(journal.heard[4], "practice holds 15");
    EXPECT_EQ(journal.heard[5].rfind("practice drawn ", 0), 0u);
    EXPECT_EQ(journal.heard[6], "practice ended");

    // The game goes on as if nothing had happened.
    g.clock.set(12'345'678);
    Game untouched({.doubleUp = false});
    for (Game* game : {&g, &untouched}) {
        if (game == &untouched) {
            game->table().betPlus();
            game->table().dealOrDraw();
            game->table().clickCard(1);
            game->table().dealOrDraw();
        }
        game->table().dealOrDraw();
    }
    EXPECT_EQ(g.cards().hand, untouched.cards().hand);
    EXPECT_EQ(g.state().credit, untouched.state().credit);
    EXPECT_EQ(g.state().drawNumber, untouched.state().drawNumber);
}

TEST(PracticeDeal, AfterItsDrawJouerGoesBackToTheGame) {
    Game g({.language = Language::French, .targetIndex = 1, .doubleUp = false});
    for (int32_t draw = 0; draw < 50; ++draw) {
        g.table().dealOrDraw();
        g.table().dealOrDraw();
    }
    ASSERT_EQ(g.state().stage, Stage::GameOver);
    const GameState state = g.state();
    const EngineState cards = g.cards();
    const Controls look = g.controls;

    ASSERT_TRUE(g.table().practise(twoPairs(), GameType::NoJoker));
    EXPECT_EQ(g.controls.caption(Control::panelNumeroTirage), "Donne d'entraînement");
    for (int32_t k = 1; k <= kSlots; ++k) g.table().clickCard(k);
    g.table().dealOrDraw();
    EXPECT_EQ(g.resultLine(), " DONNE D'ENTRAÎNEMENT : Deux paires. JOUER reprend la partie.");
    EXPECT_EQ(g.controls.colour(Control::PanelTitreDeuxPaires), kRed);
    // A finished game takes no bet: JOUER alone goes back to it.
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    g.table().betMax();
    EXPECT_EQ(g.state().stage, Stage::PracticeShown);
    g.table().dealOrDraw();
    expectSameGame(g, state, cards);
    expectSameLook(g.controls, look);

    // From betting, JOUER after the practice deal's draw deals the next hand.
    g.table().startNewGame();
    ASSERT_TRUE(g.table().practise(twoPairs(), GameType::NoJoker));
    g.table().dealOrDraw();
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonEncore));
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().stage, Stage::AwaitingDraw);
    EXPECT_EQ(g.state().drawNumber, 1);
    EXPECT_EQ(g.state().credit, 199);
}

TEST(PracticeDeal, TakenOnlyWhileTheGameWaitsBetweenDraws) {
    Game g;
    Hand joker = nothing();
    joker[3] = kJoker;
    EXPECT_FALSE(g.table().practise(joker, GameType::NoJoker));
    EXPECT_FALSE(g.table().practise(nothing(), GameType::JokerEveryDeal));
    EXPECT_TRUE(g.table().practise(joker, GameType::JokerPossible));
    g.table().endPractice();
    g.dealFixedHand(twoPairs());
    EXPECT_FALSE(g.table().practise(nothing(), GameType::NoJoker));  // a hand of the game's own
    g.table().dealOrDraw();
    ASSERT_TRUE(g.state().doubleUpActive());
    EXPECT_FALSE(g.table().practise(nothing(), GameType::NoJoker));
    g.table().ButtonYesDoubleClick();
    EXPECT_FALSE(g.table().practise(nothing(), GameType::NoJoker));

    // After a lost pick the other cards are shown half a second later; a
    // practice deal in between keeps them for the game's own table.
    g.table().clickCard(g.pickSlot(-1));
    ASSERT_TRUE(g.controls.timerRunning(Timer::TimerVoirDouble));
    const Controls look = g.controls;
    ASSERT_TRUE(g.table().practise(nothing(), GameType::NoJoker));
    EXPECT_FALSE(g.controls.timerRunning(Timer::TimerVoirDouble));
    g.table().TimerVoirDoubleTimer();
    g.table().endPractice();
    expectSameLook(g.controls, look);
    EXPECT_TRUE(g.table().timerRunning(Timer::TimerVoirDouble));
    g.table().TimerVoirDoubleTimer();
    EXPECT_TRUE(g.controls.isVisible(cardFrame(5)));
}

TEST(HoldBest, TheGameHoldsTheBestHoldInPlaceOfTheSuggestion) {
    // A deal whose best hold is not the suggestion.
    const FastEvaluator evaluator;
    int32_t clock = 0;
    HoldMask best = 0;
    HoldMask suggested = 0;
    for (;; ++clock) {
        EngineState s;
        dealHand(s, GameType::NoJoker, FixedClock(clock));
        best = bestHold(holdValues(evaluator, s.hand, GameType::NoJoker));
        suggested = suggestedHold(evaluator, s.hand);
        if (best != suggested) break;
    }
    Game g({.doubleUp = false, .suggestion = true});
    g.clock.set(clock);
    Journal journal;
    g.table().listen(journal);
    g.table().setHoldBest(true);
    g.table().startNewGame();  // the trainer's option stays with the next game
    g.table().dealOrDraw();
    EXPECT_EQ(holdOf(g.cards().held), best);
    ASSERT_TRUE(journal.dealt);
    EXPECT_EQ(journal.dealt->held, best);
    EXPECT_EQ(journal.dealt->suggested, suggested);

    g.table().dealOrDraw();
    g.table().setHoldBest(false);
    g.table().dealOrDraw();
    EXPECT_EQ(holdOf(g.cards().held), suggested);
}

}  // namespace
}  // namespace brisko::testing
