#include "engine/engine.h"

namespace brisko {

void Engine::showAllCards() {
    for (int32_t k = 1; k <= kSlots; ++k) view_.ShowCard(k);
}

void Engine::dealHand() {
    brisko::dealHand(state, settings_.gameType(), clock_);
    showAllCards();
}

void Engine::drawCards() {
    brisko::drawCards(state, settings_.gameType(), clock_);
    showAllCards();
}

void Engine::showCategory(HandCategory category) {
    view_.setResultPrefix({});
    if (category == HandCategory::Nothing) {
        view_.setResultLine(texts_[Txt::txtLost]);
        view_.setResultPrefix(texts_[Txt::txtLost]);
        return;
    }
    const PayRow& row = payRowOf(category);
    view_.setPanelColour(row.titlePanel, kRed);
    view_.setPanelColour(row.valuePanel, kRed);
    if (category == HandCategory::KingsOrBetter) {
        view_.setResultLine(state.pairRank == 13 ? texts_[Txt::txtPairOfKings]
                                                 : texts_[Txt::txtPairOfAces]);
    } else {
        view_.setResultLine(texts_[handNameKey(static_cast<int32_t>(category))]);
    }
}

void Engine::suggestHolds() {
    suggestMarks(state);
    if (!settings_.suggestionOptionOn()) return;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!state.markedCards[k]) continue;
        state.held[k] = true;
        view_.showHoldLabel(k);
    }
}

}  // namespace brisko
