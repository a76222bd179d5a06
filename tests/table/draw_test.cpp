// SPDX-License-Identifier: GPL-3.0-or-later
// The deal, the holds, the draw and its payout.
#include <gtest/gtest.h>

#include <set>

#include "contract/pay_table.h"
#include "fake_view.h"

namespace brisko::testing {
namespace {

TEST(Deal, ShowsFiveDistinctCardsWithTheirHoldButtons) {
    Game g;
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    std::set<int32_t> cards;
    for (int32_t k = 1; k <= kSlots; ++k) {
        cards.insert(g.cards().hand[k]);
        EXPECT_TRUE(g.controls.isVisible(cardFrame(k)));
        EXPECT_TRUE(g.controls.isVisible(holdButton(k)));
        EXPECT_FALSE(g.controls.isVisible(holdLabel(k)));
        EXPECT_FALSE(g.cards().held[k]);
        EXPECT_EQ(g.controls.caption(holdLabel(k)), "HELD");
    }
    EXPECT_EQ(cards.size(), 5u);
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtHoldPrompt));
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_FALSE(g.controls.isEnabled(Control::ButtonMiseMax));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    EXPECT_TRUE(g.controls.isVisible(Control::buttonC2));
}

TEST(DealAndDraw, ShowEveryCardInSlotOrder) {
    Game g;
    g.controls.shownCards.clear();
    g.table().dealOrDraw();
    g.table().dealOrDraw();
    EXPECT_EQ(g.controls.shownCards, (std::vector<int32_t>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
}

TEST(Holds, ACardClickTogglesItsHoldAndLabel) {
    Game g;
    g.table().dealOrDraw();
    g.table().clickCard(3);
    EXPECT_TRUE(g.cards().held[3]);
    EXPECT_TRUE(g.controls.isVisible(Control::PanelG3));
    g.table().clickCard(3);
    EXPECT_FALSE(g.cards().held[3]);
    EXPECT_FALSE(g.controls.isVisible(Control::PanelG3));
}

TEST(Holds, SwitchingTheSuggestionBeforeTheDrawHoldsOrReleases) {
    Game g;
    g.table().dealOrDraw();
    g.cards().hand = twoPairs();
    g.cards().markedCards = {false, true, true, false, false, false};
    g.table().clickCard(5);
    g.table().setSuggestion(true);
    EXPECT_TRUE(g.cards().held[1] && g.cards().held[2] && g.cards().held[5]);
    EXPECT_FALSE(g.cards().held[3]);
    EXPECT_TRUE(g.controls.isVisible(Control::PanelG2));
    g.table().setSuggestion(false);
    for (int32_t k = 1; k <= kSlots; ++k) {
        EXPECT_FALSE(g.cards().held[k]);
        EXPECT_FALSE(g.controls.isVisible(holdLabel(k)));
    }
    // After the draw the holds stay as they are.
    g.table().clickCard(3);
    g.table().dealOrDraw();
    const SlotFlags held = g.cards().held;
    g.table().setSuggestion(true);
    EXPECT_EQ(g.cards().held, held);
}

TEST(Draw, ReplacesTheCardsNotHeld) {
    Game g;
    g.table().dealOrDraw();
    const Hand before = g.cards().hand;
    g.table().clickCard(2);
    g.table().clickCard(4);
    g.table().dealOrDraw();
    if (g.state().doubleUpActive()) g.table().ButtonNoDoubleClick();
    const Hand after = g.cards().hand;
    EXPECT_EQ(after[2], before[2]);
    EXPECT_EQ(after[4], before[4]);
    std::set<int32_t> all(before.begin() + 1, before.end());
    for (int32_t k : {1, 3, 5}) EXPECT_EQ(all.count(after[k]), 0u) << k;
    EXPECT_EQ(g.state().drawNumber, 1);
}

TEST(Draw, APayingHandIsPaidWithItsRowRedAndItsCardsLabelled) {
    Game g({.doubleUp = false});
    g.table().betPlus();  // bet 2
    g.playHand(twoPairs());
    EXPECT_EQ(g.state().win, 4);
    EXPECT_EQ(g.controls.caption(Control::PanelGain), "4");
    EXPECT_EQ(g.state().credit, 198 + 4);
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "202");
    EXPECT_EQ(g.controls.colour(Control::PanelTitreDeuxPaires), kRed);
    EXPECT_EQ(g.controls.colour(Control::PanelDeuxPaires), kRed);
    EXPECT_EQ(g.controls.colour(Control::PanelTitreBrelan), kSilver);
    for (int32_t k = 1; k <= 4; ++k) {
        EXPECT_TRUE(g.controls.isVisible(holdLabel(k))) << k;
        EXPECT_EQ(g.controls.caption(holdLabel(k)), "YEAH");
    }
    EXPECT_FALSE(g.controls.isVisible(Control::PanelG5));
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_FALSE(g.controls.isVisible(holdButton(k)));
    // No offer: the hand's name gives way to the bet prompt at once.
    EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt));
    EXPECT_EQ(g.controls.caption(Control::ButtonEncore), "BET 1");
    // The next deal restores the row's own colours.
    g.table().dealOrDraw();
    EXPECT_EQ(g.controls.colour(Control::PanelTitreDeuxPaires), kDarkGreen);
    EXPECT_EQ(g.controls.colour(Control::PanelDeuxPaires), kDarkGreen);
}

TEST(Draw, ALosingHandPutsTheLostTextBeforeTheNextMessage) {
    Game g;
    g.playHand(nothing());
    EXPECT_EQ(g.state().win, 0);
    EXPECT_EQ(g.controls.caption(Control::PanelGain), "0");
    EXPECT_EQ(g.state().credit, 199);
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! " + g.text(Txt::txtBetPrompt));
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_FALSE(g.controls.isVisible(holdLabel(k)));
    EXPECT_FALSE(g.state().doubleUpActive());
    EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage));
    // The deal clears the prefix.
    g.table().dealOrDraw();
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtHoldPrompt));

    Game f({.language = Language::French});
    f.playHand(nothing());
    EXPECT_EQ(f.resultLine(),
              "PERDU !!! Faites vos enchères (boutons MISE 1 ou MISE + et MISE 20).\n"
              "Appuyez ensuite sur le bouton JOUER.");
}

TEST(Draw, EveryCategoryPaysBetTimesItsMultiplier) {
    const Hand hands[] = {
        {0, cardIndex(1, 13), cardIndex(2, 13), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 2)},
        twoPairs(),
        {0, cardIndex(1, 9), cardIndex(2, 9), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 2)},
        {0, cardIndex(1, 5), cardIndex(2, 6), cardIndex(3, 7), cardIndex(4, 8), cardIndex(1, 9)},
        {0, cardIndex(2, 2), cardIndex(2, 6), cardIndex(2, 7), cardIndex(2, 8), cardIndex(2, 12)},
        {0, cardIndex(1, 9), cardIndex(2, 9), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 4)},
        {0, cardIndex(1, 9), cardIndex(2, 9), cardIndex(3, 9), cardIndex(4, 9), cardIndex(1, 4)},
        {0, cardIndex(3, 5), cardIndex(3, 6), cardIndex(3, 7), cardIndex(3, 8), cardIndex(3, 9)},
        royalFlush(),
    };
    for (int32_t category = 1; category <= 9; ++category) {
        Game g({.doubleUp = false});
        for (int i = 0; i < 2; ++i) g.table().betPlus();  // bet 3
        g.playHand(hands[category - 1]);
        EXPECT_EQ(g.state().win, 3 * payMultiplier[static_cast<size_t>(category)]) << category;
        const PayRow& row = payRowOf(static_cast<HandCategory>(category));
        EXPECT_EQ(g.controls.colour(row.titlePanel), kRed) << category;
        EXPECT_EQ(g.state().credit, 197 + g.state().win);
    }
}

TEST(Draw, APairOfKingsIsNamedOnTheMessageLine) {
    Game g;
    g.dealFixedHand(
        {0, cardIndex(1, 13), cardIndex(2, 13), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 2)});
    g.table().dealOrDraw();
    EXPECT_EQ(g.resultLine(), " Pair of Kings");
    EXPECT_TRUE(g.controls.isVisible(Control::PanelDoublage));
}

}  // namespace
}  // namespace brisko::testing
