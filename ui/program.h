// SPDX-License-Identifier: GPL-3.0-or-later
// The three windows of one run, made in their order: the splash (which fills
// in the title and the store's key), the game window, hidden and disabled,
// and the change-game dialog, hidden. Closing the splash ends the run.
#pragma once

#include <optional>

#include "engine/random.h"
#include "records/store.h"
#include "ui/dialogs.h"
#include "ui/fChangeGame.h"
#include "ui/fSplash.h"
#include "ui/pokerf.h"
#include "ui/start_up.h"

namespace brisko {

struct Program {
    Program(const Clock& clock, SettingsStore& store, std::optional<ScreenMetrics> screen = {},
            Dialogs* dialogs = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    StartUp startUp;
    TfrmSplash frmSplash;
    TfrmBrisko frmBrisko;
    TfrmChangeGame frmChangeGame;
};

}  // namespace brisko
