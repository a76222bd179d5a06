#include "table/world.h"

namespace brisko {

World::World(const Clock& clock, SettingsStore& store, TableView& tableView,
             RecordsView& recordsView)
    : table(engine, records, texts, tableView),
      engine(clock, table, table, texts),
      records(store, engine.state.random, texts, recordsView) {}

}  // namespace brisko
