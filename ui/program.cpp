// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include "ui/companions.h"
#include "ui/focus_mark.h"

namespace brisko {

Program::Program(const Clock& clock, SettingsStore& store, std::optional<ScreenMetrics> screen,
                 Dialogs* dialogs)
    : frmSplash(startUp, screen),
      frmBrisko(startUp, clock, store, screen, dialogs),
      frmChangeGame(frmBrisko.world().records, frmBrisko.world().texts, frmBrisko.windowTexts(),
                    startUp.firstOpening, frmBrisko.companions(), frmBrisko.screenScale().m) {
    frmBrisko.setFirstWindow(&frmSplash);
    frmBrisko.setChangeGameDialog(&frmChangeGame);
    frmSplash.setGameWindow(&frmBrisko);
    FocusMark::attach(&frmChangeGame);
}

}  // namespace brisko
