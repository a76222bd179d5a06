// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/options.h"

namespace brisko {

void switchSuggestion(GameTable& table, Records& records) {
    uint8_t& option = records.settings.optionSuggestionCartes;
    option = option != 0 ? 0 : 1;
    table.setSuggestion(option != 0);
}

bool switchDoubleUp(GameTable& table, Records& records) {
    uint8_t& option = records.settings.optionDoublagePropose;
    const bool switched = table.setDoubleUpOffered(option == 0);
    if (switched) option = option == 0 ? 1 : 0;
    return switched;
}

void applyTrainerOptions(GameTable& table, const ExtraOptions& options) {
    table.setHoldBest(options.trainer && options.holdBest);
}

}  // namespace brisko
