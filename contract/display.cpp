// SPDX-License-Identifier: GPL-3.0-or-later
#include "contract/display.h"

namespace brisko {

void showAllCards(EngineView& view) {
    for (int32_t k = 1; k <= kSlots; ++k) view.ShowCard(k);
}

void showCategory(HandCategory category, const EngineState& state, const Texts& texts,
                  EngineView& view) {
    view.setResultPrefix({});
    if (category == HandCategory::Nothing) {
        view.setResultLine(texts[Txt::txtLost]);
        view.setResultPrefix(texts[Txt::txtLost]);
        return;
    }
    const PayRow& row = payRowOf(category);
    view.setPanelColour(row.titlePanel, kRed);
    view.setPanelColour(row.valuePanel, kRed);
    if (category == HandCategory::KingsOrBetter) {
        view.setResultLine(state.pairRank == 13 ? texts[Txt::txtPairOfKings]
                                                : texts[Txt::txtPairOfAces]);
    } else {
        view.setResultLine(texts[handNameKey(static_cast<int32_t>(category))]);
    }
}

void holdMarkedCards(EngineState& state, EngineView& view) {
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!state.markedCards[k]) continue;
        state.held[k] = true;
        view.showHoldLabel(k);
    }
}

void suggestHolds(EngineState& state, bool optionOn, EngineView& view) {
    suggestMarks(state);
    if (optionOn) holdMarkedCards(state, view);
}

}  // namespace brisko
