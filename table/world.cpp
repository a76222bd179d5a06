// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/world.h"

namespace brisko {

World::World(const Clock& clock, SettingsStore& store, TableView& tableView,
             RecordsView& recordsView)
    : records(store, cards.random, texts, recordsView),
      table(clock, cards, records, texts, tableView) {}

}  // namespace brisko
