// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_view.h"

#include "engine/card.h"

namespace brisko::testing {

std::string Controls::caption(Control control) const {
    auto it = captions.find(control);
    return it == captions.end() ? std::string() : it->second;
}

bool Controls::isVisible(Control control) const {
    auto it = visible.find(control);
    return it != visible.end() && it->second;
}

bool Controls::isEnabled(Control control) const {
    auto it = enabled.find(control);
    return it != enabled.end() && it->second;
}

Colour Controls::colour(Control control) const {
    auto it = colours.find(control);
    return it == colours.end() ? 0 : it->second;
}

bool Controls::timerRunning(Timer timer) const {
    return timers.count(timer) != 0;
}

Game::Game(const TableSetup& setup) {
    world = std::make_unique<World>(clock, store, tableView);
    world->records.LoadSettings();
    world->texts.setLanguage(setup.language);
    Settings& s = world->records.settings;
    s.gameType = static_cast<GameType>(setup.gameType);
    s.targetIndex = setup.targetIndex;
    s.optionDoublagePropose = setup.doubleUp ? 1 : 0;
    s.optionSuggestionCartes = setup.suggestion ? 1 : 0;
    s.optionYourName = setup.name;
    world->table.startNewGame();
}

void Game::dealFixedHand(const Hand& hand) {
    table().dealOrDraw();
    cards().hand = hand;
    for (int32_t k = 1; k <= kSlots; ++k) cards().held[k] = true;
}

void Game::playHand(const Hand& hand) {
    dealFixedHand(hand);
    table().dealOrDraw();
}

int32_t Game::pickSlot(int comparison) const {
    const EngineState& s = world->cards;
    const int32_t dealer = cardTable[s.hand[1]].rank;
    for (int32_t k = 2; k <= kSlots; ++k) {
        const int32_t r = cardTable[s.hand[k]].rank;
        if ((comparison > 0 && r > dealer) || (comparison == 0 && r == dealer) ||
            (comparison < 0 && r < dealer)) {
            return k;
        }
    }
    return 0;
}

// Spades 1..13, hearts 14..26, clubs 27..39, diamonds 40..52.
Hand twoPairs() {
    return {0, cardIndex(1, 5), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 9), cardIndex(1, 2)};
}
Hand nothing() {
    return {
        0, cardIndex(1, 2), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 11), cardIndex(1, 7)};
}
Hand royalFlush() {
    return {
        0, cardIndex(1, 10), cardIndex(1, 11), cardIndex(1, 12), cardIndex(1, 13), cardIndex(1, 1)};
}

}  // namespace brisko::testing
