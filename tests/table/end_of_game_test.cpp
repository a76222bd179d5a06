// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a limited game, the unlimited score and the best scores.
#include <gtest/gtest.h>

#include "fake_view.h"

namespace brisko::testing {
namespace {

void setList(Game& g, std::array<int32_t, 5> points) {
    HighScoreList& list = g.world->records.currentList();
    for (int32_t r = 1; r <= kRanks; ++r) {
        list[r] = HighScoreEntry{points[static_cast<size_t>(r - 1)], "OLD"};
    }
}

void loseDraws(Game& g, int32_t count) {
    for (int32_t i = 0; i < count; ++i) g.playHand(nothing());
}

TEST(LimitedGame, EndsAfterItsFiftiethDrawWithoutAHighScore) {
    Game g;
    setList(g, {900, 800, 700, 600, 500});
    loseDraws(g, 49);
    EXPECT_EQ(g.state().drawNumber, 49);
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! " + g.text(Txt::txtBetPrompt));
    EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), "151");

    loseDraws(g, 1);
    EXPECT_EQ(g.state().credit, 150);
    EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), "150");
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! PRESS THE KEY F2 OR F3 TO START A NEW GAME");
    for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
        EXPECT_FALSE(g.controls.isEnabled(b)) << b;
    }
    EXPECT_TRUE(g.controls.isVisible(Control::panelChangeGame));
    EXPECT_TRUE(g.controls.isVisible(Control::panelNewGame));
    EXPECT_TRUE(g.controls.isVisible(Control::panelBravoHighScore));
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore),
              "Unfortunately, you didn't get a high score...");
    EXPECT_EQ(g.world->records.currentList()[5].points, 500);

    // Nothing more can be played until a new game.
    g.table().dealOrDraw();
    g.table().betPlus();
    g.table().betMax();
    EXPECT_EQ(g.state().drawNumber, 50);
    EXPECT_EQ(g.state().credit, 150);
    g.table().startNewGame();
    EXPECT_EQ(g.state().credit, 200);
    EXPECT_FALSE(g.controls.isVisible(Control::panelBravoHighScore));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
}

TEST(LimitedGame, TheLastDrawsDoubleUpStillCounts) {
    Game g;
    setList(g, {900, 800, 700, 600, 500});
    loseDraws(g, 49);
    g.playHand(twoPairs());
    EXPECT_TRUE(g.state().doubleUpActive());
    g.table().ButtonYesDoubleClick();
    g.table().clickCard(g.pickSlot(1));
    g.table().ButtonNoDoubleClick();
    EXPECT_EQ(g.state().credit, 151 - 1 + 4);
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtGameOver));
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonTirage));
}

TEST(LimitedGame, AFinalCreditAboveRankFiveEntersWithTheCongratulation) {
    Game g;
    // Equal to the fifth entry: not entered.
    setList(g, {300, 200, 160, 155, 150});
    loseDraws(g, 50);
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore),
              "Unfortunately, you didn't get a high score...");

    Game h;
    setList(h, {300, 200, 160, 155, 149});
    loseDraws(h, 50);
    EXPECT_EQ(h.controls.caption(Control::panelBravoHighScore), "BRAVO PAUL, best score #5 : 150");
    EXPECT_TRUE(h.controls.isVisible(Control::panelBravoHighScore));
    EXPECT_EQ(h.world->records.currentList()[5].name, "PAUL");

    Game f({.language = Language::French});
    setList(f, {150, 140, 130, 120, 110});
    loseDraws(f, 50);
    EXPECT_EQ(f.controls.caption(Control::panelBravoHighScore),
              "BRAVO PAUL, meilleur score #2 : 150");
    EXPECT_EQ(f.resultLine(),
              "PERDU !!! FIN DE LA PARTIE. APPUYEZ SUR LA TOUCHE F2 OU F3 POUR REJOUER");
}

TEST(LimitedGame, EveryTargetPlaysExactlyItsNumberOfDraws) {
    for (int32_t target = 1; target <= 5; ++target) {
        Game g({.targetIndex = target});
        int32_t draws = 0;
        while (g.controls.isEnabled(Control::ButtonTirage) && draws < 2000) {
            g.table().dealOrDraw();
            g.table().dealOrDraw();
            if (g.state().doubleUpActive()) g.table().ButtonNoDoubleClick();
            ++draws;
        }
        EXPECT_EQ(draws, kTargetDraws[static_cast<size_t>(target)]);
        EXPECT_EQ(g.state().drawNumber, draws);
        EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), std::to_string(g.state().credit));
    }
}

TEST(UnlimitedScore, RoundsTheQuotientHalfToEven) {
    EXPECT_EQ(unlimitedScore(199, 1), 2177);   // 2177.23
    EXPECT_EQ(unlimitedScore(200, 10), 2000);  // exactly
    EXPECT_EQ(unlimitedScore(1, 100), 1000);   // 1000.5
    EXPECT_EQ(unlimitedScore(3, 100), 1002);   // 1001.5
    EXPECT_EQ(unlimitedScore(-2000, 5), 0);
    EXPECT_EQ(unlimitedScore(-2100, 0), -100);
}

TEST(UnlimitedGame, ShowsItsScoreAfterEveryDrawAndNeverEnds) {
    Game g({.targetIndex = 6});
    setList(g, {90000, 80000, 70000, 60000, 50000});
    g.playHand(nothing());
    EXPECT_EQ(g.state().score, 2177);
    EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), "2177");
    EXPECT_FALSE(g.controls.isVisible(Control::panelBravoHighScore));
    for (int i = 0; i < 1099; ++i) {
        g.table().dealOrDraw();
        g.table().dealOrDraw();
        if (g.state().doubleUpActive()) g.table().ButtonNoDoubleClick();
        ASSERT_TRUE(g.controls.isEnabled(Control::ButtonTirage)) << i;
    }
    EXPECT_EQ(g.state().drawNumber, 1100);
    EXPECT_EQ(g.state().score, unlimitedScore(g.state().credit, 1100));
    EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), std::to_string(g.state().score));
    EXPECT_NE(g.resultLine().find(g.text(Txt::txtBetPrompt)), std::string::npos);
    EXPECT_FALSE(g.controls.isVisible(Control::panelBravoHighScore));
}

TEST(UnlimitedGame, OneGameCanPlaceSeveralEntries) {
    Game g({.targetIndex = 6});
    setList(g, {5000, 4000, 3000, 100, 0});
    g.playHand(nothing());  // 2177
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore), "BRAVO PAUL, best score #4 : 2177");
    EXPECT_TRUE(g.controls.isVisible(Control::panelBravoHighScore));
    g.table().dealOrDraw();  // the deal hides the congratulation
    EXPECT_FALSE(g.controls.isVisible(Control::panelBravoHighScore));
    g.cards().hand = nothing();
    for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = true;
    g.table().dealOrDraw();  // 2198 x 100 / 102 = 2154.9
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore), "BRAVO PAUL, best score #5 : 2155");
    const HighScoreList& list = g.world->records.currentList();
    EXPECT_EQ(list[4].points, 2177);
    EXPECT_EQ(list[4].name, "PAUL");
    EXPECT_EQ(list[5].points, 2155);
    EXPECT_EQ(list[5].name, "PAUL");
    // Below the fifth entry now: no congratulation, and never the no-score text.
    g.playHand(nothing());
    EXPECT_FALSE(g.controls.isVisible(Control::panelBravoHighScore));
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! " + g.text(Txt::txtBetPrompt));
}

}  // namespace
}  // namespace brisko::testing

namespace brisko::testing {
namespace {

// A store that refuses the save of a new best score: the entry and the
// congratulation are there, the draw ends, and the error still comes out.
TEST(RefusedSave, TheUnlimitedDrawStillEndsAndReopensBetting) {
    Game g({.targetIndex = 6});
    setList(g, {5000, 4000, 3000, 100, 0});
    g.dealFixedHand(nothing());
    g.store.refuseWrites = true;
    EXPECT_THROW(g.table().dealOrDraw(), StoreError);
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore), "BRAVO PAUL, best score #4 : 2177");
    EXPECT_TRUE(g.controls.isVisible(Control::panelBravoHighScore));
    EXPECT_EQ(g.world->records.currentList()[4].points, 2177);
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! " + g.text(Txt::txtBetPrompt));
    for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
        EXPECT_TRUE(g.controls.isEnabled(b)) << b;
    }
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);

    // Once the store takes writes again the game goes on and saves.
    g.store.refuseWrites = false;
    g.playHand(nothing());
    EXPECT_EQ(g.state().drawNumber, 2);
    EXPECT_EQ(g.store.value("score364")->data, (std::vector<uint8_t>{0x81, 0x08, 0, 0}));  // 2177
}

TEST(RefusedSave, TheLastLimitedDrawStillShowsTheEndOfTheGame) {
    Game g;
    setList(g, {300, 200, 160, 155, 149});
    loseDraws(g, 49);
    g.dealFixedHand(nothing());
    g.store.refuseWrites = true;
    EXPECT_THROW(g.table().dealOrDraw(), StoreError);
    EXPECT_EQ(g.controls.caption(Control::panelBravoHighScore), "BRAVO PAUL, best score #5 : 150");
    EXPECT_TRUE(g.controls.isVisible(Control::panelChangeGame));
    EXPECT_TRUE(g.controls.isVisible(Control::panelNewGame));
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! PRESS THE KEY F2 OR F3 TO START A NEW GAME");
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonTirage));
}

}  // namespace
}  // namespace brisko::testing
