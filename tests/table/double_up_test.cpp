// SPDX-License-Identifier: GPL-3.0-or-later
// The double-or-quit offer, the pick and its timers.
#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "fake_view.h"

namespace brisko::testing {
namespace {

// Pair of kings: pays the bet.
Hand kings() {
    return {
        0, cardIndex(1, 13), cardIndex(2, 13), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 2)};
}

// A game at bet 5 whose draw paid 5, the offer standing.
Game& offerOfFive(Game& g) {
    for (int i = 0; i < 4; ++i) g.table().betPlus();
    g.playHand(kings());
    return g;
}

TEST(Offer, NoOfferForAWinOfZeroOrWithTheOptionOff) {
    Game lost;
    lost.playHand(nothing());
    EXPECT_FALSE(lost.state().doubleUpActive());
    EXPECT_FALSE(lost.controls.isVisible(Control::PanelDoublage));
    EXPECT_FALSE(lost.controls.timerRunning(Timer::TimerYesNoDoublage));

    Game off({.doubleUp = false});
    off.playHand(twoPairs());
    EXPECT_FALSE(off.state().doubleUpActive());
    EXPECT_FALSE(off.controls.isVisible(Control::PanelDoublage));
    EXPECT_EQ(off.state().credit, 201);
    EXPECT_TRUE(off.controls.isEnabled(Control::ButtonTirage));
}

TEST(Offer, ShowsTheWinAndTwiceTheWin) {
    Game g;
    offerOfFive(g);
    EXPECT_TRUE(g.state().doubleUpActive());
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_TRUE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_EQ(g.controls.caption(Control::ButtonNoDouble), "&Quits, Won : 5");
    EXPECT_EQ(g.controls.caption(Control::ButtonYesDouble), "&Double up to : 10");
    EXPECT_TRUE(g.controls.timerRunning(Timer::TimerYesNoDoublage));
    for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
        EXPECT_FALSE(g.controls.isEnabled(b)) << b;
    }
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_FALSE(g.controls.isVisible(holdButton(k)));
    // Not paid yet.
    EXPECT_EQ(g.state().credit, 195);
    EXPECT_TRUE(g.controls.focus == Control::ButtonYesDouble ||
                g.controls.focus == Control::ButtonNoDouble);

    Game f({.language = Language::French});
    offerOfFive(f);
    EXPECT_EQ(f.controls.caption(Control::ButtonNoDouble), "&Quitte, Gain : 5");
    EXPECT_EQ(f.controls.caption(Control::ButtonYesDouble), "&Doubler à : 10");
}

TEST(Offer, TheFocusAlternatesStartingWithQuit) {
    Game g;
    offerOfFive(g);
    g.table().TimerYesNoDoublageTimer();
    EXPECT_EQ(g.controls.focus, Control::ButtonNoDouble);
    g.table().TimerYesNoDoublageTimer();
    EXPECT_EQ(g.controls.focus, Control::ButtonYesDouble);
    g.table().TimerYesNoDoublageTimer();
    EXPECT_EQ(g.controls.focus, Control::ButtonNoDouble);
}

TEST(Offer, QuittingPaysTheWinAndShowsTheHandAgain) {
    Game g;
    offerOfFive(g);
    g.controls.shownCards.clear();
    g.table().ButtonNoDoubleClick();
    EXPECT_EQ(g.state().credit, 200);
    EXPECT_FALSE(g.state().doubleUpActive());
    EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_FALSE(g.controls.timerRunning(Timer::TimerYesNoDoublage));
    EXPECT_EQ(g.controls.shownCards, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    // The labels of the paid hand stay.
    EXPECT_TRUE(g.controls.isVisible(Control::PanelG1));
    EXPECT_EQ(g.controls.caption(Control::PanelG1), "YEAH");
}

TEST(DoubleUp, LaysOutTheDealerCardAndFourFaceDownCards) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    EXPECT_EQ(g.state().phase(), Phase::DoubleUpPick);
    EXPECT_TRUE(g.state().doubleUpActive());
    EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_FALSE(g.controls.timerRunning(Timer::TimerYesNoDoublage));
    EXPECT_TRUE(g.controls.timerRunning(Timer::timerCarteDoublage));
    EXPECT_TRUE(g.controls.isVisible(Control::ConteneurC1));
    EXPECT_FALSE(g.controls.isVisible(Control::ButtonC1));
    for (int32_t k = 2; k <= kSlots; ++k) {
        EXPECT_FALSE(g.controls.isVisible(cardFrame(k)));
        EXPECT_TRUE(g.controls.isVisible(holdButton(k)));
    }
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_FALSE(g.controls.isVisible(holdLabel(k)));
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtDoubleUpPrompt));
    for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
        EXPECT_FALSE(g.controls.isEnabled(b)) << b;
    }
}

TEST(DoubleUp, TheDealerIsNeverATwoOrAnAceAndAHigherAndALowerCardLieBelow) {
    // The cards come from the random source as the draw left it: every clock
    // reading of the first 20 seconds gives another layout.
    std::set<int32_t> dealerRanks;
    for (int32_t ms = 0; ms < 20'000; ms += 37) {
        Game g;
        g.clock.set(ms);
        g.playHand(twoPairs());
        g.table().ButtonYesDoubleClick();
        const Hand& h = g.cards().hand;
        const int32_t dealer = cardTable[h[1]].rank;
        ASSERT_GE(dealer, 3) << ms;
        ASSERT_LE(dealer, 13) << ms;
        dealerRanks.insert(dealer);
        int higher = 0, lower = 0;
        std::set<int32_t> distinct;
        for (int32_t k = 1; k <= kSlots; ++k) {
            ASSERT_GE(h[k], 1);
            ASSERT_LE(h[k], kOrdinaryCards);
            distinct.insert(h[k]);
            if (k == 1) continue;
            higher += cardTable[h[k]].rank > dealer;
            lower += cardTable[h[k]].rank < dealer;
        }
        EXPECT_EQ(distinct.size(), 5u) << ms;
        EXPECT_GE(higher, 1) << ms;
        EXPECT_GE(lower, 1) << ms;
    }
    EXPECT_EQ(dealerRanks.size(), 11u);
}

TEST(DoubleUp, TheFocusWalksOverTheFourButtons) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    const Control expected[] = {Control::buttonC2, Control::ButtonC3, Control::ButtonC4,
                                Control::ButtonC5, Control::buttonC2};
    for (Control name : expected) {
        g.table().timerCarteDoublageTimer();
        EXPECT_EQ(g.controls.focus, name);
    }
}

TEST(DoubleUp, AHigherCardDoublesTheWinAndOffersAgain) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    const int32_t slot = g.pickSlot(1);
    ASSERT_NE(slot, 0);
    g.controls.shownCards.clear();
    g.table().clickCard(slot);
    EXPECT_EQ(g.controls.shownCards, std::vector<int32_t>{slot});
    EXPECT_FALSE(g.controls.timerRunning(Timer::timerCarteDoublage));
    EXPECT_EQ(g.state().win, 10);
    EXPECT_EQ(g.controls.caption(Control::PanelGain), "10");
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_TRUE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_EQ(g.controls.caption(Control::ButtonNoDouble), "&Quits, Won : 10");
    EXPECT_EQ(g.controls.caption(Control::ButtonYesDouble), "&Double up to : 20");
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtDoubleUpPrompt));
    EXPECT_EQ(g.state().credit, 195);
    // The revealed card cannot be picked again during the offer.
    const GameState before = g.state();
    g.table().clickCard(slot);
    EXPECT_EQ(g.state().win, before.win);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
}

TEST(DoubleUp, AnEqualCardKeepsTheWinAndShowsTheTie) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    // Put a card of the dealer's rank, of another suit, in slot 2.
    Hand& h = g.cards().hand;
    const card dealer = cardTable[h[1]];
    h[2] = cardIndex(dealer.suit % 4 + 1, dealer.value);
    g.table().clickCard(2);
    EXPECT_EQ(g.state().win, 5);
    EXPECT_EQ(g.resultLine(), " Tied, try again ?");
    EXPECT_TRUE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_TRUE(g.state().doubleUpActive());
    EXPECT_EQ(g.controls.caption(Control::ButtonYesDouble), "&Double up to : 10");
}

TEST(DoubleUp, ALowerCardLosesAndTheFaceDownCardsAreRevealedLater) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    const int32_t slot = g.pickSlot(-1);
    ASSERT_NE(slot, 0);
    g.table().clickCard(slot);
    EXPECT_EQ(g.state().win, 0);
    EXPECT_EQ(g.controls.caption(Control::PanelGain), "0");
    EXPECT_EQ(g.state().credit, 195);
    EXPECT_FALSE(g.state().doubleUpActive());
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_EQ(g.resultLine(), "YOU LOSE !!! " + g.text(Txt::txtBetPrompt));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonTirage));
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_FALSE(g.controls.isVisible(holdButton(k)));
    EXPECT_TRUE(g.controls.timerRunning(Timer::TimerVoirDouble));
    g.controls.shownCards.clear();
    g.table().TimerVoirDoubleTimer();
    EXPECT_EQ(g.controls.shownCards, (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_FALSE(g.controls.timerRunning(Timer::TimerVoirDouble));
    g.table().TimerVoirDoubleTimer();  // one tick only
    EXPECT_EQ(g.controls.shownCards.size(), 4u);
}

TEST(DoubleUp, ADealBeforeTheRevealStopsIt) {
    Game g;
    offerOfFive(g);
    g.table().ButtonYesDoubleClick();
    g.table().clickCard(g.pickSlot(-1));
    g.table().dealOrDraw();
    EXPECT_FALSE(g.controls.timerRunning(Timer::TimerVoirDouble));
    const Hand dealt = g.cards().hand;
    g.controls.shownCards.clear();
    g.table().TimerVoirDoubleTimer();
    EXPECT_TRUE(g.controls.shownCards.empty());
    EXPECT_EQ(g.cards().hand, dealt);
}

TEST(DoubleUp, QuittingAfterWonPicksPaysTheDoubledWinAndRevealsEverything) {
    Game g;
    offerOfFive(g);
    for (int i = 0; i < 2; ++i) {
        g.table().ButtonYesDoubleClick();
        g.table().clickCard(g.pickSlot(1));
    }
    EXPECT_EQ(g.state().win, 20);
    g.controls.shownCards.clear();
    g.table().ButtonNoDoubleClick();
    EXPECT_EQ(g.state().credit, 215);
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "215");
    EXPECT_EQ(g.controls.shownCards, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    for (int32_t k = 1; k <= kSlots; ++k) EXPECT_TRUE(g.controls.isVisible(cardFrame(k)));
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt));
}

// Doubling that could only end at the largest win is not offered: when twice
// the win would pass it, the win is settled as with the option off.
TEST(DoubleUp, NoOfferWhenTwiceTheWinWouldPassTheLargestWin) {
    Game g({.targetIndex = 6});
    g.table().betMax();
    g.cards().hand = royalFlush();
    for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = true;
    const int32_t credit = g.state().credit;
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().win, 10000);
    int doublings = 0;
    while (g.state().doubleUpActive() && doublings < 40) {
        g.table().ButtonYesDoubleClick();
        g.table().clickCard(g.pickSlot(1));
        ++doublings;
    }
    // 10000 x 2^17 = 1310720000, and twice that passes 2147483647.
    EXPECT_EQ(doublings, 17);
    EXPECT_EQ(g.state().win, 1310720000);
    EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage));
    EXPECT_EQ(g.state().credit, credit + 1310720000);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
}

TEST(DoubleUp, TheCreditStopsAtTheLowestValue) {
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    Game g({.targetIndex = 6});
    g.state().credit = static_cast<int32_t>(kMin + 30);
    g.table().betMax();
    EXPECT_EQ(g.state().credit, kMin + 10);
    g.cards().hand = nothing();
    for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = true;
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().credit, kMin + 10);
    // (-2147483638 + 2000) x 100 / 101 = -2126219443.56
    EXPECT_EQ(g.state().score, -2126219444);
    g.table().betMax();
    EXPECT_EQ(g.state().credit, kMin);
    EXPECT_EQ(g.controls.caption(Control::PanelCredit), "-2147483648");
}

}  // namespace
}  // namespace brisko::testing
