// What the game table shows on the window, reached by control name, and the
// names of the controls and timers it uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/controls.h"

namespace brisko {

inline constexpr std::string_view kTimerDepart = "timerDepart";
inline constexpr std::string_view kTimerYesNoDoublage = "TimerYesNoDoublage";
inline constexpr std::string_view kTimerCarteDoublage = "timerCarteDoublage";
inline constexpr std::string_view kTimerVoirDouble = "TimerVoirDouble";

// The hold button under slot 1..5; the second one has always been spelt
// with a small b on the window.
inline std::string holdButtonName(int32_t slot) {
    return (slot == 2 ? "buttonC" : "ButtonC") + std::to_string(slot);
}
// The label above slot 1..5 ("GARDE", "BRAVO").
inline std::string holdLabelName(int32_t slot) {
    return "PanelG" + std::to_string(slot);
}
// The frame of the card picture of slot 1..5; hidden means no card shown.
inline std::string cardFrameName(int32_t slot) {
    return "ConteneurC" + std::to_string(slot);
}

// The window as the game table drives it. Timers are started and stopped
// here; their ticks come back as plain operations of the table.
class TableView : public ControlView {
  public:
    // Paint the card that the hand holds in slot 1..5 face up and show its frame.
    virtual void ShowCard(int32_t slot) = 0;
    virtual void StopAllTimers() = 0;
    virtual void startTimer(std::string_view timer) = 0;
    virtual void stopTimer(std::string_view timer) = 0;
};

}  // namespace brisko
