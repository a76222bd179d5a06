// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/world.h"

namespace brisko {

World::World(const Clock& clock, SettingsStore& store, TableView& tableView)
    : records(store, cards.random, texts),
      table(clock, cards, records),
      presenter(table, records, texts, tableView) {
    table.listen(presenter);
}

}  // namespace brisko
