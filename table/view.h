// SPDX-License-Identifier: GPL-3.0-or-later
// What the presenter tells the window: the controls' captions, visibility,
// enabled state, focus and colours, the cards and the timers.
#pragma once

#include <cstdint>

#include "contract/controls.h"
#include "table/game_state.h"

namespace brisko {

class TableView : public ControlView {
  public:
    // Paint the card that the hand holds in slot 1..5 face up and show its frame.
    virtual void ShowCard(int32_t slot) = 0;
    virtual void StopAllTimers() = 0;
    virtual void startTimer(Timer timer) = 0;
    virtual void stopTimer(Timer timer) = 0;
};

}  // namespace brisko
