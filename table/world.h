// Everything one run of the game owns, built in the order the parts need
// each other: the texts, the table, the card rules that show through the
// table, and the records that share the card rules' random source.
#pragma once

#include "engine/engine.h"
#include "engine/random.h"
#include "engine/texts.h"
#include "records/settings.h"
#include "records/store.h"
#include "table/game.h"
#include "table/view.h"

namespace brisko {

struct World {
    // Builds everything without touching the store: the owner runs
    // records.LoadSettings() next, where it can show the store's errors.
    World(const Clock& clock, SettingsStore& store, TableView& tableView, RecordsView& recordsView);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    Texts texts;
    GameTable table;
    Engine engine;
    Records records;
};

}  // namespace brisko
