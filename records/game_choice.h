// SPDX-License-Identifier: GPL-3.0-or-later
// The change of game as the dialog offers it: the choices, the best score
// each shows, and what a confirmation takes. The dialog only shows them.
#pragma once

#include <cstdint>
#include <string>

#include "records/settings.h"

namespace brisko {

struct GameChoice {
    int32_t gameType = 0;     // 1..3, 0 when none is checked
    int32_t targetIndex = 0;  // 1..6, 0 when none is checked
    std::string name;
};

// The choice the dialog opens on: the one the settings hold.
GameChoice storedChoice(const Settings& settings);

// The best entry of the list a choice points at, or null when the choice is
// out of range.
const HighScoreEntry* bestEntryOf(const Settings& settings, int32_t gameType, int32_t targetIndex);

// Only an empty name is refused: a name of blanks is a name.
inline bool nameAccepted(const std::string& name) {
    return !name.empty();
}

}  // namespace brisko
