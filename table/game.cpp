// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/game.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "contract/pay_table.h"
#include "engine/rounding.h"

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
    return saturate(roundHalfEven(product, draws));
}

// --- what the window is told -------------------------------------------------

GameType GameTable::gameType() const {
    const GameType type = records_.settings.gameType;
    return isGameType(number(type)) ? type : kDefaultGameType;
}

void GameTable::caption(Control control, const std::string& text) {
    view_.setCaption(control, text);
}

void GameTable::show(Control control, bool visible) {
    view_.setVisible(control, visible);
}

void GameTable::enable(Control control, bool enabled) {
    view_.setEnabled(control, enabled);
}

void GameTable::enableBetting(bool enabled) {
    enable(Control::ButtonEncore, enabled);
    enable(Control::ButtonMiseMax, enabled);
    enable(Control::ButtonTirage, enabled);
}

void GameTable::startTimer(Timer timer) {
    runningTimers_.set(static_cast<size_t>(timer));
    view_.startTimer(timer);
}

void GameTable::stopTimer(Timer timer) {
    runningTimers_.reset(static_cast<size_t>(timer));
    view_.stopTimer(timer);
}

void GameTable::stopAllTimers() {
    runningTimers_.reset();
    view_.StopAllTimers();
}

bool GameTable::timerRunning(Timer timer) const {
    return runningTimers_.test(static_cast<size_t>(timer));
}

bool GameTable::allows(TableCommand command) const {
    switch (command) {
        case TableCommand::BetPlus:
        case TableCommand::BetMax:
            return state.stage == Stage::Betting;
        case TableCommand::DealOrDraw:
            return state.stage == Stage::Betting || state.stage == Stage::AwaitingDraw;
        case TableCommand::HoldCard:
            return state.stage == Stage::AwaitingDraw;
        case TableCommand::PickCard:
            return state.stage == Stage::DoubleUpPick;
        case TableCommand::Double:
        case TableCommand::Quit:
            return state.stage == Stage::DoubleUpOffer;
    }
    return false;
}

void GameTable::addToCredit(int64_t amount) {
    state.credit = saturate(state.credit + amount);
}

// --- EngineView and the hold suggestion --------------------------------------

void GameTable::ShowCard(int32_t slot) {
    view_.ShowCard(slot);
}

void GameTable::setPanelColour(Control panel, Colour colour) {
    view_.setColour(panel, colour);
}

void GameTable::setResultLine(const std::string& text) {
    caption(Control::panelResultat, state.resultPrefix + " " + text);
}

void GameTable::showHoldLabel(int32_t slot) {
    show(holdLabel(slot), true);
}

void GameTable::suggestionSwitched(bool on) {
    if (state.phase != Phase::AwaitingDraw) return;
    if (on) {
        holdSuggestedCards();
    } else {
        releaseAllHolds();
    }
}

void GameTable::holdSuggestedCards() {
    holdMarkedCards(cards_, *this);
}

void GameTable::releaseAllHolds() {
    for (int32_t k = 1; k <= kSlots; ++k) {
        cards_.held[k] = false;
        show(holdLabel(k), false);
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
    state.stage = Stage::Betting;
    refreshPayTable();
    state.credit = kStartCredit;
    cards_.pairRank = -1;
    state.doubleUpActive = false;
    state.resultPrefix.clear();
    setResultLine(texts_[Txt::txtBetPrompt]);

    show(Control::panelHaut, true);
    caption(Control::panelNiveau, texts_[gameTypeName(gameType())]);
    const int32_t target = targetIndex();
    caption(Control::panelObjectifNbTirages,
            target > 5 || target < 1 ? texts_[Txt::txtUnlimited]
                                     : number(kTargetDraws[static_cast<size_t>(target)]));
    show(Control::panelInfoJeu, true);
    show(Control::panelMeilleursScores, true);
    records_.ShowHighScores(0);

    caption(Control::panelNomJoueur, records_.settings.optionYourName);
    show(Control::panelBravoHighScore, false);
    caption(Control::panelBravoHighScore, "");
    caption(Control::panelScoreJoueur, "0");
    show(Control::panelDivers, true);

    caption(Control::PanelCredit, number(state.credit));
    show(Control::PanelDoublage, false);
    caption(Control::PanelGain, "");
    caption(Control::PanelMise, "1");
    caption(Control::panelNumeroTirage, "");
    caption(Control::ButtonEncore, texts_[Txt::txtBetPlus]);

    for (int32_t k = 1; k <= kSlots; ++k) {
        show(cardFrame(k), false);
        show(holdLabel(k), false);
        show(holdButton(k), false);
    }
    enableBetting(true);
    show(Control::SuperPanelGarde, true);
    show(Control::PanelGainsPossibles, true);
    view_.setFocus(Control::ButtonTirage);
    if (observer_) observer_->gameStarted(gameType());
}

void GameTable::betPlus() {
    if (!allows(TableCommand::BetPlus)) return;
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
    caption(Control::PanelMise, number(state.bet));
    caption(Control::ButtonEncore, texts_[Txt::txtBetPlus]);
    caption(Control::PanelCredit, number(state.credit));
    if (state.bet >= kMaxBet) {
        enable(Control::ButtonEncore, false);
        enable(Control::ButtonMiseMax, false);
        view_.setFocus(Control::ButtonTirage);
        runDealOrDraw();
    }
}

void GameTable::betMax() {
    if (!allows(TableCommand::BetMax)) return;
    if (!state.betPlacedThisDraw) state.bet = 0;  // nothing charged yet for this draw
    state.betPlacedThisDraw = true;
    enable(Control::ButtonEncore, false);
    enable(Control::ButtonMiseMax, false);
    addToCredit(-(kMaxBet - state.bet));
    state.bet = kMaxBet;
    refreshPayTable();
    caption(Control::PanelMise, number(state.bet));
    caption(Control::PanelCredit, number(state.credit));
    enable(Control::ButtonTirage, true);
    view_.setFocus(Control::ButtonTirage);
    runDealOrDraw();
}

void GameTable::dealOrDraw() {
    if (!allows(TableCommand::DealOrDraw)) return;
    runDealOrDraw();
}

void GameTable::runDealOrDraw() {
    records_.ShowHighScores(0);
    show(Control::panelBravoHighScore, false);
    state.doubleUpActive = false;
    // A lost pick's delayed reveal must never paint over the new hand.
    stopTimer(Timer::TimerVoirDouble);
    if (state.phase == Phase::AwaitingDeal) {
        deal();
    } else if (state.phase == Phase::AwaitingDraw) {
        draw();
    }
}

void GameTable::deal() {
    for (int32_t k = 1; k <= kSlots; ++k) {
        cards_.held[k] = false;
        show(holdLabel(k), false);
        show(cardFrame(k), true);
        show(holdButton(k), true);
    }
    state.resultPrefix.clear();
    setResultLine(texts_[Txt::txtHoldPrompt]);
    caption(Control::PanelGain, "");
    if (!state.betPlacedThisDraw) {
        state.bet = state.lastBet;
        refreshPayTable();
        addToCredit(-state.bet);
        caption(Control::PanelMise, number(state.bet));
        caption(Control::PanelCredit, number(state.credit));
    }
    state.lastBet = state.bet;
    enable(Control::ButtonEncore, false);
    enable(Control::ButtonMiseMax, false);
    state.phase = Phase::AwaitingDraw;
    state.stage = Stage::AwaitingDraw;
    for (int32_t k = 1; k <= kSlots; ++k) {
        cards_.held[k] = false;
        show(holdButton(k), true);
        show(holdLabel(k), false);
        caption(holdLabel(k), texts_[Txt::txtHeld]);
    }
    if (state.drawNumber < std::numeric_limits<int32_t>::max()) state.drawNumber += 1;
    caption(Control::panelNumeroTirage, texts_[Txt::txtDraw] + " #" + number(state.drawNumber));
    dealHand(cards_, gameType(), clock_);
    record_ = DrawRecord{};
    record_.dealt = cards_.hand;
    showAllCards(*this);
    suggestHolds(cards_, suggestionOptionOn(), *this);
}

void GameTable::draw() {
    state.phase = Phase::AwaitingDeal;
    record_.holds = holdOf(cards_.held);
    drawCards(cards_, gameType(), clock_);
    showAllCards(*this);
    const HandCategory category = evaluateHand(cards_);
    record_.final = cards_.hand;
    record_.category = category;
    state.win = payout(category, state.bet);
    showCategory(category, cards_, texts_, *this);
    caption(Control::PanelGain, number(state.win));
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), false);
        show(holdLabel(k), false);
    }
    if (state.win > 0) {
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!cards_.markedCards[k]) continue;
            caption(holdLabel(k), texts_[Txt::txtBravo]);
            show(holdLabel(k), true);
        }
    }
    offerDoubleUp();
}

void GameTable::clickCard(int32_t slot) {
    if (slot < 1 || slot > kSlots) return;
    state.resultPrefix.clear();
    if (allows(TableCommand::HoldCard)) {
        bool& held = cards_.held[slot];
        held = !held;
        show(holdLabel(slot), held);
    } else if (allows(TableCommand::PickCard) && slot >= 2) {
        pick(slot);
    }
}

void GameTable::settleDraw() {
    addToCredit(state.win);
    caption(Control::PanelCredit, number(state.credit));
    enableBetting(false);
    state.betPlacedThisDraw = false;
    caption(Control::PanelMise, number(state.bet));
    caption(Control::ButtonEncore, texts_[state.bet > 1 ? Txt::txtBet1 : Txt::txtBetPlus]);
    if (observer_) {
        record_.gameType = gameType();
        record_.drawNumber = state.drawNumber;
        record_.bet = state.bet;
        record_.win = state.win;
        record_.credit = state.credit;
        observer_->drawEnded(record_);
    }
    endOfDraw();
}

void GameTable::endOfDraw() {
    // A store that refuses the save of a new best score must not leave the
    // game stuck: the draw ends as usual and the error goes on afterwards.
    std::exception_ptr storeError;
    if (targetIndex() == kUnlimitedTarget) {
        state.score = unlimitedScore(state.credit, state.drawNumber);
        caption(Control::panelScoreJoueur, number(state.score));
        if (state.drawNumber >= 1) {
            const int32_t rank = records_.InsertHighScore(state.score, &storeError);
            if (rank > 0) showBestScore(rank, state.score);
        }
    } else {
        caption(Control::panelScoreJoueur, number(state.credit));
        const int32_t target = std::clamp(targetIndex(), 1, 5);
        if (state.drawNumber == kTargetDraws[static_cast<size_t>(target)]) {
            state.stage = Stage::GameOver;  // betting stays closed until a new game
            setResultLine(texts_[Txt::txtGameOver]);
            show(Control::panelChangeGame, true);
            show(Control::panelNewGame, true);
            const int32_t rank = records_.InsertHighScore(state.credit, &storeError);
            if (rank > 0) {
                showBestScore(rank, state.credit);
            } else {
                caption(Control::panelBravoHighScore, texts_[Txt::txtNoHighScore]);
                show(Control::panelBravoHighScore, true);
            }
            if (storeError) std::rethrow_exception(storeError);
            return;
        }
    }
    state.stage = Stage::Betting;
    setResultLine(texts_[Txt::txtBetPrompt]);
    enableBetting(true);
    view_.setFocus(Control::ButtonTirage);
    if (storeError) std::rethrow_exception(storeError);
}

void GameTable::showBestScore(int32_t rank, int32_t score) {
    caption(Control::panelBravoHighScore, "BRAVO " + records_.settings.optionYourName + ", " +
                                              texts_[Txt::txtBestScoreNo] + number(rank) + " : " +
                                              number(score));
    show(Control::panelBravoHighScore, true);
}

// --- the double-or-quit game -------------------------------------------------

void GameTable::offerDoubleUp() {
    if (state.win < 1 || !doubleUpOptionOn()) {
        settleDraw();
        return;
    }
    // Past the largest win a doubling would risk everything for nothing: the
    // win is settled as when the option is off.
    if (2 * static_cast<int64_t>(state.win) > kInt32Max) {
        state.doubleUpActive = false;
        for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
        settleDraw();
        return;
    }
    state.stage = Stage::DoubleUpOffer;
    enable(Control::ButtonTirage, false);
    state.doubleUpActive = true;
    for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
    show(Control::PanelDoublage, true);
    state.offerFocusOnDouble = true;
    caption(Control::ButtonNoDouble, texts_[Txt::txtQuitWon] + number(state.win));
    caption(Control::ButtonYesDouble, texts_[Txt::txtDoubleTo] + number(2 * state.win));
    view_.setFocus(cards_.random.randomFrom(100) >= 50 ? Control::ButtonYesDouble
                                                       : Control::ButtonNoDouble);
    startTimer(Timer::TimerYesNoDoublage);
}

void GameTable::TimerYesNoDoublageTimer() {
    if (!timerRunning(Timer::TimerYesNoDoublage)) return;
    if (state.offerFocusOnDouble) {
        view_.setFocus(Control::ButtonNoDouble);
        state.offerFocusOnDouble = false;
    } else {
        view_.setFocus(Control::ButtonYesDouble);
        state.offerFocusOnDouble = true;
    }
}

void GameTable::ButtonNoDoubleClick() {
    if (!allows(TableCommand::Quit)) return;
    record_.doubleUp.push_back(DoubleUpStep::Quit);
    state.doubleUpActive = false;
    setResultLine("");
    show(Control::PanelDoublage, false);
    stopTimer(Timer::TimerYesNoDoublage);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), false);
        ShowCard(k);
    }
    state.phase = Phase::AwaitingDeal;
    settleDraw();
}

void GameTable::ButtonYesDoubleClick() {
    if (!allows(TableCommand::Double)) return;
    setResultLine("");
    show(Control::PanelDoublage, false);
    stopTimer(Timer::TimerYesNoDoublage);
    state.phase = Phase::DoubleUpPick;
    state.stage = Stage::DoubleUpPick;
    setUpDoubleUp();
}

void GameTable::setUpDoubleUp() {
    EngineState& s = cards_;
    enableBetting(false);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(cardFrame(k), false);
        show(holdLabel(k), false);
    }

    // Never a two or an ace, so that a higher and a lower card always exist.
    int32_t dealer = cards_.random.randomFrom(kOrdinaryCards);
    while (cardTable[dealer].rank < 3 || cardTable[dealer].rank > 13) {
        dealer = cards_.random.randomFrom(kOrdinaryCards);
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
        int32_t c = cards_.random.randomFrom(kOrdinaryCards);
        while (s.usedCards[c] || !fits(cardTable[c].rank))
            c = cards_.random.randomFrom(kOrdinaryCards);
        s.usedCards[c] = true;
        return c;
    };

    const int32_t higherSlot = 1 + cards_.random.randomFrom(4);
    s.hand[higherSlot] = freeCard([&](int32_t r) { return r > dealerRank; });
    int32_t lowerSlot = 1 + cards_.random.randomFrom(4);
    while (lowerSlot == higherSlot) lowerSlot = 1 + cards_.random.randomFrom(4);
    s.hand[lowerSlot] = freeCard([&](int32_t r) { return r < dealerRank; });
    for (int32_t k = 2; k <= kSlots; ++k) {
        if (s.hand[k] == -1) s.hand[k] = freeCard([](int32_t) { return true; });
    }

    for (int32_t k = 2; k <= kSlots; ++k) show(holdButton(k), true);
    state.pickFocusSlot = 2;
    startTimer(Timer::timerCarteDoublage);
}

void GameTable::timerCarteDoublageTimer() {
    if (!timerRunning(Timer::timerCarteDoublage)) return;
    view_.setFocus(holdButton(state.pickFocusSlot));
    state.pickFocusSlot += 1;
    if (state.pickFocusSlot == 6) state.pickFocusSlot = 2;
}

void GameTable::pick(int32_t slot) {
    stopTimer(Timer::timerCarteDoublage);
    ShowCard(slot);
    const int32_t picked = cardTable[cards_.hand[slot]].rank;
    const int32_t dealer = cardTable[cards_.hand[1]].rank;
    if (picked < dealer) {
        record_.doubleUp.push_back(DoubleUpStep::Lost);
        state.win = 0;
        state.doubleUpActive = false;
        caption(Control::PanelGain, "0");
        state.resultPrefix.clear();
        setResultLine(texts_[Txt::txtLost]);
        state.resultPrefix = texts_[Txt::txtLost];
        for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
        startTimer(Timer::TimerVoirDouble);
        state.phase = Phase::AwaitingDeal;
        settleDraw();
    } else if (picked == dealer) {
        record_.doubleUp.push_back(DoubleUpStep::Tied);
        setResultLine(texts_[Txt::txtTie]);
        state.phase = Phase::AwaitingDeal;
        offerDoubleUp();
    } else {
        // The win never passes the 32-bit limit, however long the run.
        state.win = saturate(2 * static_cast<int64_t>(state.win));
        record_.doubleUp.push_back(DoubleUpStep::Won);
        record_.largestDoubleWin = std::max(record_.largestDoubleWin, state.win);
        caption(Control::PanelGain, number(state.win));
        state.phase = Phase::AwaitingDeal;
        offerDoubleUp();
    }
}

void GameTable::TimerVoirDoubleTimer() {
    if (!timerRunning(Timer::TimerVoirDouble)) return;
    for (int32_t k = 2; k <= kSlots; ++k) ShowCard(k);
    stopTimer(Timer::TimerVoirDouble);
}

}  // namespace brisko
