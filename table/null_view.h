// SPDX-License-Identifier: GPL-3.0-or-later
// A table view that shows nothing, for headless play: simulations, soaks and
// the text front end (which reads the message line from the presenter).
#pragma once

#include "table/view.h"

namespace brisko {

class NullTableView final : public TableView {
  public:
    void setCaption(Control, const std::string&) override {}
    void setVisible(Control, bool) override {}
    void setEnabled(Control, bool) override {}
    void setFocus(Control) override {}
    void setColour(Control, Colour) override {}
    void ShowCard(int32_t) override {}
    void StopAllTimers() override {}
    void startTimer(Timer) override {}
    void stopTimer(Timer) override {}
};

}  // namespace brisko
