// The window's controls as the game's logic reaches them: by the control's
// name (its objectName on the window), never through a toolkit type.
#pragma once

#include <string>
#include <string_view>

#include "engine/hand.h"

namespace brisko {

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void setCaption(std::string_view control, const std::string& text) = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual void setFocus(std::string_view control) = 0;
    virtual void setColour(std::string_view control, Colour colour) = 0;
};

}  // namespace brisko
