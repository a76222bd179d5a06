// SPDX-License-Identifier: GPL-3.0-or-later
// The pay table as the window shows it: a title and a value panel per paying
// category, from the royal flush down, in their own colours.
#pragma once

#include <array>
#include <cstddef>

#include "contract/controls.h"
#include "engine/hand.h"

namespace brisko {

// One row of the pay table on the window, from the royal flush down.
struct PayRow {
    HandCategory category;
    Control titlePanel;
    Control valuePanel;
    Colour colour;  // the row's own colour, restored when the bet changes
};

inline constexpr std::array<PayRow, 9> payTableRows = {{
    {HandCategory::RoyalFlush, Control::PanelTitreFlushRoyale, Control::PanelFlushRoyale,
     kLightGreen},
    {HandCategory::StraightFlush, Control::PanelTitreQuinteFlush, Control::PanelQuinteFlush,
     kDarkGreen},
    {HandCategory::FourOfAKind, Control::PanelTitreCarre, Control::PanelCarre, kSilver},
    {HandCategory::FullHouse, Control::PanelTitreFull, Control::PanelFull, kDarkGreen},
    {HandCategory::Flush, Control::PanelTitreFlush, Control::PanelFlush, kSilver},
    {HandCategory::Straight, Control::PanelTitreSuite, Control::PanelSuite, kDarkGreen},
    {HandCategory::ThreeOfAKind, Control::PanelTitreBrelan, Control::PanelBrelan, kSilver},
    {HandCategory::TwoPairs, Control::PanelTitreDeuxPaires, Control::PanelDeuxPaires, kDarkGreen},
    {HandCategory::KingsOrBetter, Control::PanelTitrePaireAsOuRoi, Control::PanelPaireAsOuRoi,
     kSilver},
}};

constexpr const PayRow& payRowOf(HandCategory category) {
    return payTableRows[static_cast<size_t>(9 - static_cast<int32_t>(category))];
}

}  // namespace brisko
