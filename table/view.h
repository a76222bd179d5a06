// SPDX-License-Identifier: GPL-3.0-or-later
// What the game table shows on the window, and the timers it runs there.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "contract/controls.h"

namespace brisko {

// The window's four timers; their ticks come back as plain operations of
// the table.
enum class Timer : int32_t { timerDepart, TimerVoirDouble, TimerYesNoDoublage, timerCarteDoublage };

inline constexpr std::array<std::string_view, 4> kTimerNames = {
    "timerDepart", "TimerVoirDouble", "TimerYesNoDoublage", "timerCarteDoublage"};

// The timer's object name on the window, as the play script also writes it.
constexpr std::string_view timerName(Timer timer) {
    return kTimerNames[static_cast<size_t>(timer)];
}

class TableView : public ControlView {
  public:
    // Paint the card that the hand holds in slot 1..5 face up and show its frame.
    virtual void ShowCard(int32_t slot) = 0;
    virtual void StopAllTimers() = 0;
    virtual void startTimer(Timer timer) = 0;
    virtual void stopTimer(Timer timer) = 0;
};

}  // namespace brisko
