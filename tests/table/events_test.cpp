// SPDX-License-Identifier: GPL-3.0-or-later
// The game's events, as a listener hears them, and the state's own check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_view.h"

namespace brisko::testing {
namespace {

// Writes each event down by name, with the little that tells it apart.
struct Journal final : GameListener {
    std::vector<std::string> heard;
    void onEvent(const GameEvent& event) override {
        heard.push_back(std::visit(
            Overloaded{
                [](const GameStarted&) -> std::string { return "started"; },
                [](const BetPlaced& e) { return "bet " + std::to_string(e.bet); },
                [](const HandDealt& e) { return "dealt " + std::to_string(e.drawNumber); },
                [](const HoldsChanged& e) { return "holds " + std::to_string(e.held); },
                [](const HandDrawn& e) { return "drawn " + std::to_string(e.win); },
                [](const DoubleUpOffered& e) { return "offered " + std::to_string(e.win); },
                [](const OfferFocusMoved&) -> std::string { return "offer focus"; },
                [](const DoubleUpQuit&) -> std::string { return "quit"; },
                [](const PickStarted&) -> std::string { return "pick"; },
                [](const PickFocusMoved& e) { return "pick focus " + std::to_string(e.slot); },
                [](const CardPicked& e) { return "picked " + std::to_string(e.win); },
                [](const CardsRevealed&) -> std::string { return "revealed"; },
                [](const DrawSettled& e) { return "settled " + std::to_string(e.record.credit); },
                [](const DrawEnded& e) { return "ended " + std::to_string(e.score); },
                [](const BestScoresRenewed&) -> std::string { return "renewed"; },
                [](const PracticeDealt&) -> std::string { return "practice dealt"; },
                [](const PracticeHoldsChanged& e) {
                    return "practice holds " + std::to_string(e.held);
                },
                [](const PracticeDrawn& e) {
                    return "practice drawn " + std::to_string(e.wouldPay);
                },
                [](const PracticeEnded&) -> std::string { return "practice ended"; },
            },
            event));
    }
};

TEST(Events, AListenerHearsAScriptedGameInOrder) {
    Game g({.doubleUp = true});
    Journal journal;
    g.table().listen(journal);
    g.table().betPlus();  // 2 charged
    g.dealFixedHand(twoPairs());
    g.table().clickCard(5);
    g.table().dealOrDraw();  // two pairs at 2: 4 won, offered
    g.table().TimerYesNoDoublageTimer();
    g.table().ButtonYesDoubleClick();
    g.table().timerCarteDoublageTimer();
    g.table().clickCard(g.pickSlot(-1));
    g.table().TimerVoirDoubleTimer();
    g.table().clickCard(3);  // nothing to hold: no event
    EXPECT_EQ(journal.heard,
              (std::vector<std::string>{"bet 2", "dealt 1", "holds 15", "drawn 4", "offered 4",
                                        "offer focus", "pick", "pick focus 2", "picked 0",
                                        "settled 198", "ended 198", "revealed"}));
    // A listener that stopped hears nothing more.
    g.table().stopListening(journal);
    g.table().startNewGame();
    EXPECT_EQ(journal.heard.size(), 12u);
}

TEST(StateCheck, HoldsThroughAGameAndNamesWhatBreaksIt) {
    Game g({.gameType = 3, .doubleUp = true});
    for (int32_t draw = 0; draw < 20; ++draw) {
        g.table().dealOrDraw();
        EXPECT_EQ(g.table().inconsistency(), "");
        g.table().dealOrDraw();
        if (g.state().doubleUpActive()) {
            EXPECT_EQ(g.table().inconsistency(), "");
            g.table().ButtonYesDoubleClick();
            EXPECT_EQ(g.table().inconsistency(), "");
            g.table().clickCard(2);
        }
        if (g.state().doubleUpActive()) g.table().ButtonNoDoubleClick();
        EXPECT_EQ(g.table().inconsistency(), "");
    }
    // A joker in a game without it: what put jokers under a game of type 3.
    g.table().dealOrDraw();
    g.cards().hand[2] = kJoker;
    EXPECT_EQ(g.table().inconsistency(), "a joker in a game without it");
    g.cards().hand[2] = g.cards().hand[1];
    EXPECT_NE(g.table().inconsistency().find("twice"), std::string::npos);
}

// The list of the game's best scores: the entered row red, the rows back in
// their own colours at the next deal.
TEST(Presenter, TheEnteredBestScoreRowTurnsRedUntilTheNextDeal) {
    Game g({.targetIndex = kUnlimitedTarget, .doubleUp = false});
    HighScoreList& list = g.world->records.currentList();
    for (int32_t r = 1; r <= kRanks; ++r) list[r] = {2700 - 10 * r, "OLD"};
    g.playHand(royalFlush());  // score (199 + 500 + 2000) x 100 / 101: 2672
    EXPECT_EQ(g.controls.caption(Control::panelNomMeilleurScore3), "PAUL");
    EXPECT_EQ(g.controls.caption(Control::panelMeilleurScore3), "2672");
    EXPECT_EQ(g.controls.caption(Control::panelMeilleurScore5), "2660");
    EXPECT_EQ(g.controls.colour(Control::panelNumero3), kRed);
    EXPECT_EQ(g.controls.colour(Control::panelNomMeilleurScore4), rgb(128, 128, 128));
    g.table().dealOrDraw();
    EXPECT_EQ(g.controls.colour(Control::panelNumero3), kSilver);
}

TEST(Presenter, HandsAreNamedInTheLanguageOfTheGame) {
    Game g({.language = Language::French, .doubleUp = false});
    g.dealFixedHand(
        {0, cardIndex(1, 13), cardIndex(2, 13), cardIndex(3, 9), cardIndex(4, 4), cardIndex(1, 2)});
    g.table().dealOrDraw();
    EXPECT_EQ(g.controls.colour(Control::PanelTitrePaireAsOuRoi), kRed);
    EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt)) << "a paying draw is settled";
    g.playHand(nothing());
    EXPECT_EQ(g.resultLine(), "PERDU !!! " + g.text(Txt::txtBetPrompt));
    EXPECT_EQ(g.controls.colour(Control::PanelTitrePaireAsOuRoi), kSilver);
}

}  // namespace
}  // namespace brisko::testing
