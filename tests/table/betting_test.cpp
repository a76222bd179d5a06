// SPDX-License-Identifier: GPL-3.0-or-later
// The bet buttons, the charge at the deal and the pay table values.
#include <gtest/gtest.h>

#include "fake_view.h"

namespace brisko::testing {
namespace {

// Plays a losing draw with whatever bet is set, so the bet is carried.
void loseOneDraw(Game& g) {
    g.playHand(nothing());
}

TEST(NewGame, StartsWithTwoHundredCreditsAndABetOfOne) {
    Game g;
    EXPECT_EQ(g.state().credit, 200);
    EXPECT_EQ(g.state().bet, 1);
    EXPECT_EQ(g.state().lastBet, 1);
    EXPECT_EQ(g.state().drawNumber, 0);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "200");
    EXPECT_EQ(g.controls.caption(Control::PanelMise), "1");
    EXPECT_EQ(g.controls.caption(Control::panelScoreJoueur), "0");
    EXPECT_EQ(g.controls.caption(Control::PanelGain), "");
    EXPECT_EQ(g.controls.caption(Control::panelNumeroTirage), "");
    EXPECT_EQ(g.controls.caption(Control::ButtonEncore), "BET +");
    EXPECT_EQ(g.controls.caption(Control::panelNomJoueur), "PAUL");
    EXPECT_EQ(g.controls.caption(Control::panelNiveau), "WITHOUT JOKER");
    EXPECT_EQ(g.controls.caption(Control::panelObjectifNbTirages), "50");
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt));
    for (int32_t k = 1; k <= kSlots; ++k) {
        EXPECT_FALSE(g.controls.isVisible(cardFrame(k)));
        EXPECT_FALSE(g.controls.isVisible(holdButton(k)));
        EXPECT_FALSE(g.controls.isVisible(holdLabel(k)));
    }
    for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
        EXPECT_TRUE(g.controls.isEnabled(b)) << b;
    }
    EXPECT_EQ(g.controls.focus, Control::ButtonTirage);
    EXPECT_EQ(g.controls.caption(Control::PanelFlushRoyale), "500");
    EXPECT_EQ(g.controls.caption(Control::PanelPaireAsOuRoi), "1");
}

TEST(NewGame, ShowsTheTargetOrUnlimitedAndTheGameTypeInFrench) {
    Game g({.language = Language::French, .gameType = 1, .targetIndex = 6});
    EXPECT_EQ(g.controls.caption(Control::panelObjectifNbTirages), "Illimité");
    EXPECT_EQ(g.controls.caption(Control::panelNiveau), "Joker à chaque tirage");
    Game h({.targetIndex = 5});
    EXPECT_EQ(h.controls.caption(Control::panelObjectifNbTirages), "1000");
}

TEST(Betting, DealWithoutABetChargesTheLastBetAgain) {
    Game g;
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().credit, 199);
    EXPECT_EQ(g.controls.caption(Control::panelNumeroTirage), "Draw #1");
    g.table().dealOrDraw();  // draw
    // The carried bet of 4 is charged again at the next deal.
    Game h;
    for (int i = 0; i < 3; ++i) h.table().betPlus();
    EXPECT_EQ(h.state().credit, 196);
    loseOneDraw(h);
    EXPECT_EQ(h.state().credit, 196);
    h.table().dealOrDraw();
    EXPECT_EQ(h.state().bet, 4);
    EXPECT_EQ(h.state().credit, 192);
    EXPECT_EQ(h.controls.caption(Control::PanelCredit), "192");
    EXPECT_EQ(h.controls.caption(Control::panelNumeroTirage), "Draw #2");
}

TEST(Betting, FirstBetPlusFromACarriedOneChargesTwo) {
    Game g;
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 2);
    EXPECT_EQ(g.state().credit, 198);
    EXPECT_EQ(g.controls.caption(Control::PanelMise), "2");
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "198");
    EXPECT_EQ(g.controls.caption(Control::PanelFlushRoyale), "1000");
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 3);
    EXPECT_EQ(g.state().credit, 197);
    g.table().dealOrDraw();  // already charged: the deal takes nothing more
    EXPECT_EQ(g.state().credit, 197);
    EXPECT_EQ(g.state().lastBet, 3);
}

TEST(Betting, ACarriedBetOfSevenDropsToOneAtTheFirstPress) {
    Game g;
    for (int i = 0; i < 6; ++i) g.table().betPlus();
    EXPECT_EQ(g.state().bet, 7);
    EXPECT_EQ(g.state().credit, 193);
    loseOneDraw(g);
    EXPECT_EQ(g.controls.caption(Control::ButtonEncore), "BET 1");
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 1);
    EXPECT_EQ(g.state().credit, 192);
    EXPECT_EQ(g.controls.caption(Control::ButtonEncore), "BET +");
    EXPECT_EQ(g.controls.caption(Control::PanelPaireAsOuRoi), "1");
}

TEST(Betting, BetPlusUpToTwentyDealsAtOnce) {
    Game g;
    for (int i = 0; i < 18; ++i) g.table().betPlus();
    EXPECT_EQ(g.state().bet, 19);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 20);
    EXPECT_EQ(g.state().credit, 180);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    EXPECT_EQ(g.state().drawNumber, 1);
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonMiseMax));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    // A further press is not possible.
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 20);
    EXPECT_EQ(g.state().credit, 180);
}

TEST(Betting, BetTwentyChargesTwentyOrTheDifference) {
    Game g;
    g.table().betMax();
    EXPECT_EQ(g.state().bet, 20);
    EXPECT_EQ(g.state().credit, 180);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    EXPECT_EQ(g.controls.caption(Control::PanelFlushRoyale), "10000");

    Game h;
    for (int i = 0; i < 3; ++i) h.table().betPlus();
    EXPECT_EQ(h.state().credit, 196);
    h.table().betMax();
    EXPECT_EQ(h.state().credit, 180);
    EXPECT_EQ(h.state().bet, 20);
    EXPECT_EQ(h.state().phase(), Phase::AwaitingDraw);

    // From a carried bet of 20 the first press of BET 20 charges 20 again.
    loseOneDraw(h);
    h.table().betMax();
    EXPECT_EQ(h.state().credit, 160);
}

TEST(Betting, GoesOnWithACreditOfZeroOrBelow) {
    Game g({.targetIndex = 6});
    for (int i = 0; i < 10; ++i) {
        g.table().betMax();
        g.cards().hand = nothing();
        for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = true;
        g.table().dealOrDraw();
    }
    EXPECT_EQ(g.state().credit, 0);
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    g.dealFixedHand(nothing());  // the carried 20
    EXPECT_EQ(g.state().credit, -20);
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "-20");
    g.table().dealOrDraw();
    g.table().betPlus();
    EXPECT_EQ(g.state().bet, 1);
    EXPECT_EQ(g.state().credit, -21);
}

}  // namespace
}  // namespace brisko::testing
