// SPDX-License-Identifier: GPL-3.0-or-later
// The Options menu's commands that change play (F5, F6), for the window and the text front
// end alike: each switches its setting and tells the game under way when it
// changes play; the caller shows the options as they now are, then saves.
#pragma once

#include <cstdint>

#include "records/extra_options.h"
#include "records/settings.h"
#include "table/game.h"

namespace brisko {

// F5: the suggested cards held at once after a deal; switched before the
// draw, the hand's suggestion is held or every hold released.
void switchSuggestion(GameTable& table, Records& records);
// F6: the double-or-quit offer after a win. Switching it off while a
// double-up is under way is refused (false).
bool switchDoubleUp(GameTable& table, Records& records);

// The trainer's options that change play: with the trainer and "Hold the
// best play" both on, the game holds the best hold after each deal, in place
// of the suggestion, from the next deal on.
void applyTrainerOptions(GameTable& table, const ExtraOptions& options);
}  // namespace brisko
