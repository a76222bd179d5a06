// SPDX-License-Identifier: GPL-3.0-or-later
// Everything one run of the game owns, each part built after the parts it
// holds on to: the texts, the cards, the records that share the cards'
// random source, the table that plays them, and the presenter that tells
// the window what to show, the table's first listener.
#pragma once

#include "contract/texts.h"
#include "engine/hand.h"
#include "engine/random.h"
#include "records/settings.h"
#include "records/store.h"
#include "table/game.h"
#include "table/presenter.h"
#include "table/view.h"

namespace brisko {

struct World {
    // Builds everything without touching the store: the owner runs
    // records.LoadSettings() next, where it can show the store's errors.
    World(const Clock& clock, SettingsStore& store, TableView& tableView);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    Texts texts;
    EngineState cards;  // the hand, the holds and the random source
    Records records;
    GameTable table;
    TablePresenter presenter;
};

}  // namespace brisko
