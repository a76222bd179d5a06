// SPDX-License-Identifier: GPL-3.0-or-later
// The six states of the table: every transition, and every event outside
// its state changing nothing.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "fake_view.h"
#include "table/options.h"

namespace brisko::testing {
namespace {

// Everything an event could change, the message prefix aside (a card click
// clears it, which shows nowhere until the next message replaces it).
struct Snapshot {
    int32_t credit, bet, lastBet, drawNumber, win, pickFocusSlot, score;
    bool betPlacedThisDraw, doubleUpActive, offerFocusOnDouble;
    Phase phase;
    Hand hand;
    SlotFlags held;
    Controls controls;

    explicit Snapshot(const Game& g)
        : credit(g.world->table.state.credit),
          bet(g.world->table.state.bet),
          lastBet(g.world->table.state.lastBet),
          drawNumber(g.world->table.state.drawNumber),
          win(g.world->table.state.win),
          pickFocusSlot(g.world->table.state.pickFocusSlot),
          score(g.world->table.state.score),
          betPlacedThisDraw(g.world->table.state.betPlacedThisDraw),
          doubleUpActive(g.world->table.state.doubleUpActive()),
          offerFocusOnDouble(g.world->table.state.offerFocusOnDouble),
          phase(g.world->table.state.phase()),
          hand(g.world->cards.hand),
          held(g.world->cards.held),
          controls(g.controls) {}
    bool operator==(const Snapshot&) const = default;
};

using Event = std::pair<const char*, std::function<void(GameTable&)>>;

const std::vector<Event>& allEvents() {
    static const std::vector<Event> events = {
        {"betPlus", [](GameTable& t) { t.betPlus(); }},
        {"betMax", [](GameTable& t) { t.betMax(); }},
        {"dealOrDraw", [](GameTable& t) { t.dealOrDraw(); }},
        {"clickCard 1", [](GameTable& t) { t.clickCard(1); }},
        {"clickCard 3", [](GameTable& t) { t.clickCard(3); }},
        {"clickCard 5", [](GameTable& t) { t.clickCard(5); }},
        {"double", [](GameTable& t) { t.ButtonYesDoubleClick(); }},
        {"quit", [](GameTable& t) { t.ButtonNoDoubleClick(); }},
        {"TimerYesNoDoublage", [](GameTable& t) { t.TimerYesNoDoublageTimer(); }},
        {"timerCarteDoublage", [](GameTable& t) { t.timerCarteDoublageTimer(); }},
        {"TimerVoirDouble", [](GameTable& t) { t.TimerVoirDoubleTimer(); }},
    };
    return events;
}

// Sends each event not in `allowed` to a fresh game brought to the state by
// `reach`, and expects nothing to change.
void expectIgnored(const std::function<void(Game&)>& reach, std::set<std::string> allowed,
                   const char* state) {
    for (const Event& event : allEvents()) {
        if (allowed.count(event.first) != 0) continue;
        Game g;
        reach(g);
        const Snapshot before(g);
        event.second(g.table());
        EXPECT_TRUE(Snapshot(g) == before) << event.first << " in " << state;
    }
}

void toHolding(Game& g) {
    g.table().dealOrDraw();
}
void toBettingAfterALoss(Game& g) {
    g.playHand(nothing());
}
void toOffer(Game& g) {
    g.playHand(twoPairs());
}
void toPicking(Game& g) {
    toOffer(g);
    g.table().ButtonYesDoubleClick();
}
void toGameOver(Game& g) {
    for (int i = 0; i < 50; ++i) g.playHand(nothing());
}

TEST(States, NoGameIgnoresEverythingButANewGame) {
    FixedClock clock;
    MemoryStore store;
    Controls controls;
    FakeTableView tableView(controls);
    World world(clock, store, tableView);
    world.records.LoadSettings();
    world.texts.setLanguage(Language::English);
    const Controls before = controls;
    for (const Event& event : allEvents()) {
        event.second(world.table);
        EXPECT_TRUE(controls == before) << event.first;
        EXPECT_EQ(world.table.state.drawNumber, 0) << event.first;
        EXPECT_EQ(world.table.state.credit, 0) << event.first;
    }
    world.table.startNewGame();
    EXPECT_EQ(world.table.state.credit, 200);
    EXPECT_TRUE(controls.isEnabled(Control::ButtonTirage));
}

// The buttons the window shows are the ones the stage allows, in every state.
TEST(States, TheWindowShowsWhatTheStageAllows) {
    const std::vector<std::pair<const char*, std::function<void(Game&)>>> states = {
        {"Betting", [](Game&) {}},
        {"Holding", toHolding},
        {"Offer", toOffer},
        {"Picking", toPicking},
        {"GameOver", toGameOver}};
    for (const auto& [name, reach] : states) {
        Game g;
        reach(g);
        const GameTable& t = g.table();
        EXPECT_EQ(g.controls.isEnabled(Control::ButtonEncore), t.allows(TableCommand::BetPlus))
            << name;
        EXPECT_EQ(g.controls.isEnabled(Control::ButtonMiseMax), t.allows(TableCommand::BetMax))
            << name;
        EXPECT_EQ(g.controls.isEnabled(Control::ButtonTirage), t.allows(TableCommand::DealOrDraw))
            << name;
        EXPECT_EQ(g.controls.isVisible(Control::PanelDoublage), t.allows(TableCommand::Double))
            << name;
    }
}

TEST(States, BettingTakesOnlyTheBetButtonsAndTheDeal) {
    expectIgnored([](Game&) {}, {"betPlus", "betMax", "dealOrDraw"}, "Betting");
    expectIgnored(toBettingAfterALoss, {"betPlus", "betMax", "dealOrDraw"}, "Betting");
}

TEST(States, HoldingTakesOnlyCardClicksAndTheDraw) {
    expectIgnored(toHolding, {"dealOrDraw", "clickCard 1", "clickCard 3", "clickCard 5"},
                  "Holding");
}

TEST(States, OfferTakesOnlyItsTwoButtonsAndItsTimer) {
    expectIgnored(toOffer, {"double", "quit", "TimerYesNoDoublage"}, "Offer");
}

TEST(States, PickingTakesOnlyAPickOfSlotTwoToFiveAndItsTimer) {
    expectIgnored(toPicking, {"clickCard 3", "clickCard 5", "timerCarteDoublage"}, "Picking");
}

TEST(States, GameOverTakesNothing) {
    expectIgnored(toGameOver, {}, "GameOver");
}

TEST(States, TheTransitionsOfOneDraw) {
    Game g;
    // Betting -- BET+ below 20 --> Betting
    g.table().betPlus();
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonEncore));
    // Betting -- deal --> Holding
    g.table().dealOrDraw();
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    // Holding -- card click --> Holding
    g.table().clickCard(1);
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDraw);
    // Holding -- draw paying, option on --> Offer
    g.cards().hand = twoPairs();
    for (int32_t k = 1; k <= kSlots; ++k) g.cards().held[k] = true;
    g.table().dealOrDraw();
    EXPECT_TRUE(g.state().doubleUpActive());
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    // Offer -- DOUBLE --> Picking
    g.table().ButtonYesDoubleClick();
    EXPECT_EQ(g.state().phase(), Phase::DoubleUpPick);
    // Picking -- higher --> Offer
    g.table().clickCard(g.pickSlot(1));
    EXPECT_TRUE(g.controls.isVisible(Control::PanelDoublage));
    // Offer -- QUIT --> Betting
    g.table().ButtonNoDoubleClick();
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_FALSE(g.state().doubleUpActive());
    // Betting -- deal, Holding -- losing draw --> Betting
    g.playHand(nothing());
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonEncore));
    EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal);
    // Picking -- lower --> Betting
    toPicking(g);
    g.table().clickCard(g.pickSlot(-1));
    EXPECT_TRUE(g.controls.isEnabled(Control::ButtonMiseMax));
    EXPECT_FALSE(g.state().doubleUpActive());
}

TEST(States, ANewGameFromAnyStateGoesBackToBetting) {
    const std::vector<std::pair<const char*, std::function<void(Game&)>>> states = {
        {"Holding", toHolding},
        {"Offer", toOffer},
        {"Picking", toPicking},
        {"GameOver", toGameOver},
        {"Lost pick",
         [](Game& g) {
             toPicking(g);
             g.table().clickCard(g.pickSlot(-1));
         }},
    };
    for (const auto& [name, reach] : states) {
        Game g;
        reach(g);
        g.table().startNewGame();
        EXPECT_TRUE(g.controls.timers.empty()) << name;
        EXPECT_FALSE(g.controls.isVisible(Control::PanelDoublage)) << name;
        EXPECT_FALSE(g.state().doubleUpActive()) << name;
        EXPECT_EQ(g.state().phase(), Phase::AwaitingDeal) << name;
        EXPECT_EQ(g.state().credit, 200) << name;
        EXPECT_EQ(g.state().drawNumber, 0) << name;
        for (Control b : {Control::ButtonEncore, Control::ButtonMiseMax, Control::ButtonTirage}) {
            EXPECT_TRUE(g.controls.isEnabled(b)) << b << " after " << name;
        }
        for (int32_t k = 1; k <= kSlots; ++k) {
            EXPECT_FALSE(g.controls.isVisible(holdButton(k))) << name;
            EXPECT_FALSE(g.controls.isVisible(cardFrame(k))) << name;
        }
        EXPECT_EQ(g.resultLine(), " " + g.text(Txt::txtBetPrompt)) << name;
        // No stale tick acts on the new game.
        const Snapshot before(g);
        g.table().TimerVoirDoubleTimer();
        g.table().timerCarteDoublageTimer();
        g.table().TimerYesNoDoublageTimer();
        EXPECT_TRUE(Snapshot(g) == before) << name;
    }
}

TEST(States, TheDoubleUpOptionCannotBeSwitchedOffDuringADoubleUp) {
    Game g;
    toPicking(g);
    EXPECT_FALSE(switchDoubleUp(g.table(), g.world->records));
    EXPECT_EQ(g.settings().optionDoublagePropose, 1);
    g.table().clickCard(g.pickSlot(-1));
    EXPECT_TRUE(switchDoubleUp(g.table(), g.world->records));
    EXPECT_EQ(g.settings().optionDoublagePropose, 0);
    g.playHand(twoPairs());
    EXPECT_FALSE(g.state().doubleUpActive());
    EXPECT_TRUE(switchDoubleUp(g.table(), g.world->records));  // switching on is always accepted
    EXPECT_TRUE(g.table().setup().doubleUpOffered);
}

// The game in progress keeps the rules it started with, whatever the
// settings say later: a reload of the store after a refused save put
// another game type under a running game.
TEST(States, AGameKeepsItsTypeAndTargetWhenTheSettingsChangeUnderIt) {
    Game g({.gameType = 3, .targetIndex = 1});
    g.settings().gameType = GameType::JokerEveryDeal;
    g.settings().targetIndex = kUnlimitedTarget;
    g.settings().optionDoublagePropose = 0;
    int32_t jokers = 0;
    for (int32_t draw = 1; draw <= 50; ++draw) {
        g.table().dealOrDraw();
        for (int32_t k = 1; k <= kSlots; ++k) jokers += g.cards().hand[k] == kJoker ? 1 : 0;
        g.table().dealOrDraw();
        if (g.state().doubleUpActive()) g.table().ButtonNoDoubleClick();
    }
    EXPECT_EQ(jokers, 0);
    EXPECT_EQ(g.state().stage, Stage::GameOver) << "fifty draws end the game";
    EXPECT_EQ(g.controls.caption(Control::panelNiveau), "WITHOUT JOKER");
    // The next new game takes the new choice.
    g.table().startNewGame();
    EXPECT_EQ(g.table().gameType(), GameType::JokerEveryDeal);
    EXPECT_EQ(g.controls.caption(Control::panelObjectifNbTirages), "Unlimited");
}

}  // namespace
}  // namespace brisko::testing
