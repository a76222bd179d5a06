// A table view that shows nothing, for headless play: simulations, soaks and
// the text front end (which keeps only the captions it prints).
#pragma once

#include "table/view.h"

namespace brisko {

class NullTableView : public TableView {
  public:
    void setCaption(std::string_view, const std::string&) override {}
    void setVisible(std::string_view, bool) override {}
    void setEnabled(std::string_view, bool) override {}
    void setFocus(std::string_view) override {}
    void setColour(std::string_view, Colour) override {}
    void ShowCard(int32_t) override {}
    void StopAllTimers() override {}
    void startTimer(std::string_view) override {}
    void stopTimer(std::string_view) override {}
};

}  // namespace brisko
