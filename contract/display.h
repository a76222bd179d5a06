// SPDX-License-Identifier: GPL-3.0-or-later
// What the card rules show on the table: the cards, the result of a hand and
// the suggested holds. The game table passes it on to the window; tests
// record it.
#pragma once

#include <string>

#include "contract/controls.h"
#include "contract/pay_table.h"
#include "contract/texts.h"
#include "engine/hand.h"

namespace brisko {

class EngineView {
  public:
    virtual ~EngineView() = default;
    // Show the card that `hand` holds in a slot 1..5, face up.
    virtual void ShowCard(int32_t slot) = 0;
    virtual void setPanelColour(Control panel, Colour colour) = 0;
    // The message line: the result prefix, one blank, then the text.
    virtual void setResultLine(const std::string& text) = 0;
    virtual void setResultPrefix(const std::string& prefix) = 0;
    virtual void showHoldLabel(int32_t slot) = 0;
};

// The five cards face up, slot 1 first, as after every deal and draw.
void showAllCards(EngineView& view);

// Turns the category's pay-table row red and names it on the message line; a
// losing hand's text also becomes the prefix of the next line.
void showCategory(HandCategory category, const EngineState& state, const Texts& texts,
                  EngineView& view);

// Holds every slot the suggestion marked and shows its label; the other slots
// keep their holds.
void holdMarkedCards(EngineState& state, EngineView& view);

// After a deal: the cards worth holding, held at once when the option is on.
void suggestHolds(EngineState& state, bool optionOn, EngineView& view);

}  // namespace brisko
