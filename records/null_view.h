// SPDX-License-Identifier: GPL-3.0-or-later
// A records view that shows nothing, for tools, benchmarks and tests that
// only want the settings and the best scores.
#pragma once

#include "records/settings.h"

namespace brisko {

class NullRecordsView : public RecordsView {
  public:
    // What every Yes/No question is answered.
    bool answer = false;

    void setCaption(Control, const std::string&) override {}
    void setVisible(Control, bool) override {}
    void setEnabled(Control, bool) override {}
    void setFocus(Control) override {}
    void setColour(Control, Colour) override {}
    void showOptions(const Settings&) override {}
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&) override { return answer; }
    // The colour chooser cancelled: the colour stays.
    bool chooseColour(uint32_t current, uint32_t& chosen) override {
        chosen = current;
        return false;
    }
};

}  // namespace brisko
