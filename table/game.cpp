#include "table/game.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace brisko {

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp(value, kInt32Min, kInt32Max));
}

std::string number(int64_t value) {
    return std::to_string(value);
}

}  // namespace

int32_t unlimitedScore(int32_t credit, int32_t drawNumber) {
    const int64_t product = (static_cast<int64_t>(credit) + 2000) * 100;
    const int64_t draws = static_cast<int64_t>(drawNumber) + 100;
    // nearbyint rounds halves to even in the default rounding mode.
    const double quotient =
        std::nearbyint(static_cast<double>(product) / static_cast<double>(draws));
    return static_cast<int32_t>(
        std::clamp(quotient, static_cast<double>(kInt32Min), static_cast<double>(kInt32Max)));
}

// --- what the window is told -------------------------------------------------

void GameTable::caption(std::string_view control, const std::string& text) {
    view_.setCaption(control, text);
}

void GameTable::show(std::string_view control, bool visible) {
    if (visible) {
        visible_.emplace(control);
    } else if (auto it = visible_.find(control); it != visible_.end()) {
        visible_.erase(it);
    }
    view_.setVisible(control, visible);
}

void GameTable::enable(std::string_view control, bool enabled) {
    if (enabled) {
        enabled_.emplace(control);
    } else if (auto it = enabled_.find(control); it != enabled_.end()) {
        enabled_.erase(it);
    }
    view_.setEnabled(control, enabled);
}

void GameTable::enableBetting(bool enabled) {
    enable("ButtonEncore", enabled);
    enable("ButtonMiseMax", enabled);
    enable("ButtonTirage", enabled);
}

void GameTable::startTimer(std::string_view timer) {
    runningTimers_.emplace(timer);
    view_.startTimer(timer);
}

void GameTable::stopTimer(std::string_view timer) {
    if (auto it = runningTimers_.find(timer); it != runningTimers_.end()) runningTimers_.erase(it);
    view_.stopTimer(timer);
}

void GameTable::stopAllTimers() {
    runningTimers_.clear();
    view_.StopAllTimers();
}

bool GameTable::timerRunning(std::string_view timer) const {
    return runningTimers_.find(timer) != runningTimers_.end();
}

bool GameTable::controlEnabled(std::string_view control) const {
    return enabled_.find(control) != enabled_.end();
}

bool GameTable::controlVisible(std::string_view control) const {
    return visible_.find(control) != visible_.end();
}

void GameTable::addToCredit(int64_t amount) {
    state.credit = saturate(state.credit + amount);
}

// --- EngineView and PlayState ------------------------------------------------

void GameTable::ShowCard(int32_t slot) {
    visible_.insert(cardFrameName(slot));
    view_.ShowCard(slot);
}

void GameTable::setPanelColour(std::string_view panel, Colour colour) {
    view_.setColour(panel, colour);
}

void GameTable::setResultLine(const std::string& text) {
    caption("panelResultat", state.resultPrefix + " " + text);
}

void GameTable::showHoldLabel(int32_t slot) {
    show(holdLabelName(slot), true);
}

void GameTable::holdSuggestedCards() {
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!engine_.state.markedCards[k]) continue;
        engine_.state.held[k] = true;
        show(holdLabelName(k), true);
    }
}

void GameTable::releaseAllHolds() {
    for (int32_t k = 1; k <= kSlots; ++k) {
        engine_.state.held[k] = false;
        show(holdLabelName(k), false);
    }
}

// --- the draw cycle ----------------------------------------------------------

void GameTable::refreshPayTable() {
    for (const PayRow& row : payTableRows) {
        caption(row.valuePanel,
                number(static_cast<int64_t>(payMultiplier[static_cast<size_t>(row.category)]) *
                       state.bet));
        view_.setColour(row.titlePanel, row.colour);
        view_.setColour(row.valuePanel, row.colour);
    }
}

void GameTable::startNewGame() {
    stopAllTimers();
    state.betPlacedThisDraw = false;
    state.bet = 1;
    state.lastBet = 1;
    state.drawNumber = 0;
    state.phase = Phase::AwaitingDeal;
    refreshPayTable();
    state.credit = kStartCredit;
    engine_.state.pairRank = -1;
    state.doubleUpActive = false;
    state.resultPrefix.clear();
    setResultLine(texts_[Txt::txtBetPrompt]);

    show("panelHaut", true);
    const int32_t type = std::clamp(gameType(), 1, kGameTypes);
    caption("panelNiveau", texts_[gameTypeNameKey(type)]);
    const int32_t target = targetIndex();
    caption("panelObjectifNbTirages", target > 5 || target < 1
                                          ? texts_[Txt::txtUnlimited]
                                          : number(kTargetDraws[static_cast<size_t>(target)]));
    show("panelInfoJeu", true);
    show("panelMeilleursScores", true);
    records_.ShowHighScores(0);

    caption("panelNomJoueur", records_.settings.optionYourName);
    show("panelBravoHighScore", false);
    caption("panelBravoHighScore", "");
    caption("panelScoreJoueur", "0");
    show("panelDivers", true);

    caption("PanelCredit", number(state.credit));
    show("PanelDoublage", false);
    caption("PanelGain", "");
    caption("PanelMise", "1");
    caption("panelNumeroTirage", "");
    caption("ButtonEncore", texts_[Txt::txtBetPlus]);

    for (int32_t k = 1; k <= kSlots; ++k) {
        show(cardFrameName(k), false);
        show(holdLabelName(k), false);
        show(holdButtonName(k), false);
    }
    enableBetting(true);
    show("SuperPanelGarde", true);
    show("PanelGainsPossibles", true);
    view_.setFocus("ButtonTirage");
}

void GameTable::betPlus() {
    if (!controlEnabled("ButtonEncore")) return;
    if (state.betPlacedThisDraw) {
        state.bet += 1;
    } else {
        // The first press charges the whole new bet: 2 from a carried 1,
        // otherwise the bet drops back to 1.
        if (state.bet == 1) {
            state.bet = 2;
            addToCredit(-1);
        } else {
            state.bet = 1;
        }
        state.betPlacedThisDraw = true;
    }
    refreshPayTable();
    addToCredit(-1);
    caption("PanelMise", number(state.bet));
    caption("ButtonEncore", texts_[Txt::txtBetPlus]);
    caption("PanelCredit", number(state.credit));
    if (state.bet >= kMaxBet) {
        enable("ButtonEncore", false);
        enable("ButtonMiseMax", false);
        view_.setFocus("ButtonTirage");
        runDealOrDraw();
    }
}

void GameTable::betMax() {
    if (!controlEnabled("ButtonMiseMax")) return;
    if (!state.betPlacedThisDraw) state.bet = 0;  // nothing charged yet for this draw
    state.betPlacedThisDraw = true;
    enable("ButtonEncore", false);
    enable("ButtonMiseMax", false);
    addToCredit(-(kMaxBet - state.bet));
    state.bet = kMaxBet;
    refreshPayTable();
    caption("PanelMise", number(state.bet));
    caption("PanelCredit", number(state.credit));
    enable("ButtonTirage", true);
    view_.setFocus("ButtonTirage");
    runDealOrDraw();
}

void GameTable::dealOrDraw() {
    if (!controlEnabled("ButtonTirage")) return;
    runDealOrDraw();
}

void GameTable::runDealOrDraw() {
    records_.ShowHighScores(0);
    show("panelBravoHighScore", false);
    state.doubleUpActive = false;
    // A lost pick's delayed reveal must never paint over the new hand.
    stopTimer(kTimerVoirDouble);
    if (state.phase == Phase::AwaitingDeal) {
        deal();
    } else if (state.phase == Phase::AwaitingDraw) {
        draw();
    }
}

void GameTable::deal() {
    for (int32_t k = 1; k <= kSlots; ++k) {
        engine_.state.held[k] = false;
        show(holdLabelName(k), false);
        show(cardFrameName(k), true);
        show(holdButtonName(k), true);
    }
    state.resultPrefix.clear();
    setResultLine(texts_[Txt::txtHoldPrompt]);
    caption("PanelGain", "");
    if (!state.betPlacedThisDraw) {
        state.bet = state.lastBet;
        refreshPayTable();
        addToCredit(-state.bet);
        caption("PanelMise", number(state.bet));
        caption("PanelCredit", number(state.credit));
    }
    state.lastBet = state.bet;
    enable("ButtonEncore", false);
    enable("ButtonMiseMax", false);
    state.phase = Phase::AwaitingDraw;
    for (int32_t k = 1; k <= kSlots; ++k) {
        engine_.state.held[k] = false;
        show(holdButtonName(k), true);
        show(holdLabelName(k), false);
        caption(holdLabelName(k), texts_[Txt::txtHeld]);
    }
    if (state.drawNumber < std::numeric_limits<int32_t>::max()) state.drawNumber += 1;
    caption("panelNumeroTirage", texts_[Txt::txtDraw] + " #" + number(state.drawNumber));
    engine_.dealHand();
    engine_.suggestHolds();
}

void GameTable::draw() {
    state.phase = Phase::AwaitingDeal;
    engine_.drawCards();
    const HandCategory category = engine_.evaluateHand();
    state.win = Engine::payout(category, state.bet);
    engine_.showCategory(category);
    caption("PanelGain", number(state.win));
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButtonName(k), false);
        show(holdLabelName(k), false);
    }
    if (state.win > 0) {
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!engine_.state.markedCards[k]) continue;
            caption(holdLabelName(k), texts_[Txt::txtBravo]);
            show(holdLabelName(k), true);
        }
    }
    offerDoubleUp();
}

void GameTable::clickCard(int32_t slot) {
    if (slot < 1 || slot > kSlots) return;
    state.resultPrefix.clear();
    if (state.phase == Phase::AwaitingDraw) {
        bool& held = engine_.state.held[slot];
        held = !held;
        show(holdLabelName(slot), held);
    } else if (state.phase == Phase::DoubleUpPick && slot >= 2) {
        pick(slot);
    }
}

void GameTable::settleDraw() {
    addToCredit(state.win);
    caption("PanelCredit", number(state.credit));
    enableBetting(false);
    state.betPlacedThisDraw = false;
    caption("PanelMise", number(state.bet));
    caption("ButtonEncore", texts_[state.bet > 1 ? Txt::txtBet1 : Txt::txtBetPlus]);
    endOfDraw();
}

void GameTable::endOfDraw() {
    // A store that refuses the save of a new best score must not leave the
    // game stuck: the draw ends as usual and the error goes on afterwards.
    std::exception_ptr storeError;
    if (targetIndex() == kUnlimitedTarget) {
        state.score = unlimitedScore(state.credit, state.drawNumber);
        caption("panelScoreJoueur", number(state.score));
        if (state.drawNumber >= 1) {
            try {
                records_.InsertHighScore(state.score);
            } catch (const StoreError&) {
                storeError = std::current_exception();
            }
        }
    } else {
        caption("panelScoreJoueur", number(state.credit));
        const int32_t target = std::clamp(targetIndex(), 1, 5);
        if (state.drawNumber == kTargetDraws[static_cast<size_t>(target)]) {
            setResultLine(texts_[Txt::txtGameOver]);
            show("panelChangeGame", true);
            show("panelNewGame", true);
            if (records_.InsertHighScore(state.credit) == 0) {
                caption("panelBravoHighScore", texts_[Txt::txtNoHighScore]);
                show("panelBravoHighScore", true);
            }
            return;  // betting stays closed until a new game
        }
    }
    setResultLine(texts_[Txt::txtBetPrompt]);
    enableBetting(true);
    view_.setFocus("ButtonTirage");
    if (storeError) std::rethrow_exception(storeError);
}

// --- the double-or-quit game -------------------------------------------------

void GameTable::offerDoubleUp() {
    if (state.win < 1 || !doubleUpOptionOn()) {
        settleDraw();
        return;
    }
    enable("ButtonTirage", false);
    state.doubleUpActive = true;
    for (int32_t k = 1; k <= kSlots; ++k) show(holdButtonName(k), false);
    show("PanelDoublage", true);
    state.offerFocusOnDouble = true;
    caption("ButtonNoDouble", texts_[Txt::txtQuitWon] + number(state.win));
    caption("ButtonYesDouble",
            texts_[Txt::txtDoubleTo] +
                number(std::min(2 * static_cast<int64_t>(state.win), kInt32Max)));
    view_.setFocus(engine_.randomFrom(100) >= 50 ? "ButtonYesDouble" : "ButtonNoDouble");
    startTimer(kTimerYesNoDoublage);
}

void GameTable::TimerYesNoDoublageTimer() {
    if (!timerRunning(kTimerYesNoDoublage)) return;
    if (state.offerFocusOnDouble) {
        view_.setFocus("ButtonNoDouble");
        state.offerFocusOnDouble = false;
    } else {
        view_.setFocus("ButtonYesDouble");
        state.offerFocusOnDouble = true;
    }
}

void GameTable::ButtonNoDoubleClick() {
    if (!controlVisible("PanelDoublage")) return;
    state.doubleUpActive = false;
    setResultLine("");
    show("PanelDoublage", false);
    stopTimer(kTimerYesNoDoublage);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButtonName(k), false);
        ShowCard(k);
    }
    state.phase = Phase::AwaitingDeal;
    settleDraw();
}

void GameTable::ButtonYesDoubleClick() {
    if (!controlVisible("PanelDoublage")) return;
    setResultLine("");
    show("PanelDoublage", false);
    stopTimer(kTimerYesNoDoublage);
    state.phase = Phase::DoubleUpPick;
    setUpDoubleUp();
}

void GameTable::setUpDoubleUp() {
    EngineState& s = engine_.state;
    enableBetting(false);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(cardFrameName(k), false);
        show(holdLabelName(k), false);
    }

    // Never a two or an ace, so that a higher and a lower card always exist.
    int32_t dealer = engine_.randomFrom(kOrdinaryCards);
    while (cardTable[dealer].rank < 3 || cardTable[dealer].rank > 13) {
        dealer = engine_.randomFrom(kOrdinaryCards);
    }
    s.hand[1] = dealer;
    ShowCard(1);
    state.resultPrefix.clear();
    setResultLine(texts_[Txt::txtDoubleUpPrompt]);

    s.usedCards.fill(false);
    s.usedCards[dealer] = true;
    for (int32_t k = 2; k <= kSlots; ++k) s.hand[k] = -1;
    const int32_t dealerRank = cardTable[dealer].rank;

    auto freeCard = [&](auto fits) {
        int32_t c = engine_.randomFrom(kOrdinaryCards);
        while (s.usedCards[c] || !fits(cardTable[c].rank)) c = engine_.randomFrom(kOrdinaryCards);
        s.usedCards[c] = true;
        return c;
    };

    const int32_t higherSlot = 1 + engine_.randomFrom(4);
    s.hand[higherSlot] = freeCard([&](int32_t r) { return r > dealerRank; });
    int32_t lowerSlot = 1 + engine_.randomFrom(4);
    while (lowerSlot == higherSlot) lowerSlot = 1 + engine_.randomFrom(4);
    s.hand[lowerSlot] = freeCard([&](int32_t r) { return r < dealerRank; });
    for (int32_t k = 2; k <= kSlots; ++k) {
        if (s.hand[k] == -1) s.hand[k] = freeCard([](int32_t) { return true; });
    }

    for (int32_t k = 2; k <= kSlots; ++k) show(holdButtonName(k), true);
    state.pickFocusSlot = 2;
    startTimer(kTimerCarteDoublage);
}

void GameTable::timerCarteDoublageTimer() {
    if (!timerRunning(kTimerCarteDoublage)) return;
    view_.setFocus(holdButtonName(state.pickFocusSlot));
    state.pickFocusSlot += 1;
    if (state.pickFocusSlot == 6) state.pickFocusSlot = 2;
}

void GameTable::pick(int32_t slot) {
    stopTimer(kTimerCarteDoublage);
    ShowCard(slot);
    const int32_t picked = cardTable[engine_.state.hand[slot]].rank;
    const int32_t dealer = cardTable[engine_.state.hand[1]].rank;
    if (picked < dealer) {
        state.win = 0;
        state.doubleUpActive = false;
        caption("PanelGain", "0");
        state.resultPrefix.clear();
        setResultLine(texts_[Txt::txtLost]);
        state.resultPrefix = texts_[Txt::txtLost];
        for (int32_t k = 1; k <= kSlots; ++k) show(holdButtonName(k), false);
        startTimer(kTimerVoirDouble);
        state.phase = Phase::AwaitingDeal;
        settleDraw();
    } else if (picked == dealer) {
        setResultLine(texts_[Txt::txtTie]);
        state.phase = Phase::AwaitingDeal;
        offerDoubleUp();
    } else {
        // The win never passes the 32-bit limit, however long the run.
        state.win = saturate(2 * static_cast<int64_t>(state.win));
        caption("PanelGain", number(state.win));
        state.phase = Phase::AwaitingDeal;
        offerDoubleUp();
    }
}

void GameTable::TimerVoirDoubleTimer() {
    if (!timerRunning(kTimerVoirDouble)) return;
    for (int32_t k = 2; k <= kSlots; ++k) ShowCard(k);
    stopTimer(kTimerVoirDouble);
}

}  // namespace brisko
