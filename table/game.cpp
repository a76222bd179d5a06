// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/game.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>

#include "engine/fast_eval.h"
#include "engine/rounding.h"

namespace brisko {

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp(value, kInt32Min, kInt32Max));
}

}  // namespace

int32_t unlimitedScore(int32_t credit, int32_t drawNumber) {
    const int64_t product = (static_cast<int64_t>(credit) + 2000) * 100;
    const int64_t draws = static_cast<int64_t>(drawNumber) + 100;
    return saturate(roundHalfEven(product, draws));
}

int32_t GameSetup::targetDraws() const {
    return kTargetDraws[static_cast<size_t>(std::clamp(targetIndex, 1, 5))];
}

GameSetup setupOf(const Settings& settings) {
    GameSetup setup;
    const int32_t type = number(settings.gameType);
    setup.gameType = isGameType(type) ? settings.gameType : kDefaultGameType;
    setup.targetIndex = settings.targetIndex;
    setup.doubleUpOffered = settings.optionDoublagePropose != 0;
    setup.suggestion = settings.optionSuggestionCartes != 0;
    setup.playerName = settings.optionYourName;
    return setup;
}

// After every command, in the builds that check the state: a state that
// does not hold together stops the program where it went wrong.
class CommandCheck {
  public:
    explicit CommandCheck(const GameTable& table) : table_(table) {}
    CommandCheck(const CommandCheck&) = delete;
    CommandCheck& operator=(const CommandCheck&) = delete;
#if BRISKO_CHECK_STATE
    ~CommandCheck() {
        const std::string fault = table_.inconsistency();
        if (fault.empty()) return;
        std::fprintf(stderr, "BRISKO 99: the game's state does not hold: %s\n", fault.c_str());
        std::abort();
    }
#endif

  private:
    [[maybe_unused]] const GameTable& table_;
};

// --- events and the state's own rules ------------------------------------------

void GameTable::stopListening(const GameListener& listener) {
    std::erase(listeners_, &listener);
}

void GameTable::announce(const GameEvent& event) {
    for (size_t k = 0; k < listeners_.size(); ++k) listeners_[k]->onEvent(event);
}

bool GameTable::timerRunning(Timer timer) const {
    switch (timer) {
        case Timer::TimerYesNoDoublage:
            return state.stage == Stage::DoubleUpOffer;
        case Timer::timerCarteDoublage:
            return state.stage == Stage::DoubleUpPick;
        case Timer::TimerVoirDouble:
            return state.revealPending;
        case Timer::timerDepart:
            break;
    }
    return false;
}

bool GameTable::allows(TableCommand command) const {
    switch (command) {
        case TableCommand::BetPlus:
        case TableCommand::BetMax:
            // After a practice deal's draw the bet buttons end it first.
            return state.stage == Stage::Betting ||
                   (state.stage == Stage::PracticeShown && practice_->resume == Stage::Betting);
        case TableCommand::DealOrDraw:
            return state.stage == Stage::Betting || state.stage == Stage::AwaitingDraw ||
                   practising(state.stage);
        case TableCommand::HoldCard:
            return state.stage == Stage::AwaitingDraw || state.stage == Stage::PracticeDraw;
        case TableCommand::Practise:
            // Between draws, or once a game is over; not before the first game.
            return state.stage == Stage::Betting || practising(state.stage) ||
                   (state.stage == Stage::GameOver && state.drawNumber > 0);
        case TableCommand::PickCard:
            return state.stage == Stage::DoubleUpPick;
        case TableCommand::Double:
        case TableCommand::Quit:
            return state.stage == Stage::DoubleUpOffer;
    }
    return false;
}

std::string GameTable::inconsistency() const {
    const GameState& s = state;
    const Hand& hand = cards_.hand;
    if (s.bet < 1 || s.bet > kMaxBet) return "bet " + std::to_string(s.bet) + " outside 1..20";
    if (s.lastBet < 1 || s.lastBet > kMaxBet) return "last bet outside 1..20";
    if (s.drawNumber < 0) return "a negative draw number";
    if (s.pickFocusSlot < 2 || s.pickFocusSlot > kSlots) return "the pick's focus outside 2..5";
    if (practising(s.stage) != practice_.has_value()) return "a practice deal half put aside";
    if (practice_ && practice_->resume != Stage::Betting && practice_->resume != Stage::GameOver) {
        return "a practice deal that does not return to betting or a finished game";
    }
    if (s.revealPending && s.stage != Stage::Betting && s.stage != Stage::GameOver) {
        return "a lost pick's cards to show outside betting";
    }
    if (s.stage != Stage::GameOver && !setup_.unlimited() && s.drawNumber > setup_.targetDraws()) {
        return "draw " + std::to_string(s.drawNumber) + " past the game's " +
               std::to_string(setup_.targetDraws());
    }
    if (s.stage == Stage::Betting || s.stage == Stage::GameOver) return {};

    // Five cards on the table: distinct, and the joker as the game type has it.
    std::array<bool, kJoker + 1> seen{};
    int32_t jokers = 0;
    for (int32_t k = 1; k <= kSlots; ++k) {
        const int32_t c = hand[static_cast<size_t>(k)];
        if (c < 1 || c > kJoker) return "no card in slot " + std::to_string(k);
        if (seen[static_cast<size_t>(c)]) return "card " + std::to_string(c) + " twice";
        seen[static_cast<size_t>(c)] = true;
        jokers += c == kJoker ? 1 : 0;
    }
    if (s.stage == Stage::DoubleUpPick) {
        const int32_t dealer = cardTable[hand[1]].rank;
        if (jokers > 0 || dealer < 3 || dealer > 13) return "the pick's cards are not ordinary";
    } else if (s.stage == Stage::AwaitingDraw || s.stage == Stage::PracticeDraw) {
        const GameTypeRules& rules = rulesOf(practice_ ? practice_->gameType : setup_.gameType);
        if (rules.jokerDealChances == 0 && jokers > 0) return "a joker in a game without it";
        if (rules.jokerDealChances == kJokerOdds && jokers == 0) return "no joker in a joker game";
    }
    if (doubleUpUnderWay(s.stage)) {
        if (s.win < 1 || 2 * static_cast<int64_t>(s.win) > kInt32Max) {
            return "a double-up of " + std::to_string(s.win);
        }
        if (!setup_.doubleUpOffered && s.stage == Stage::DoubleUpOffer) {
            return "an offer with the double-up off";
        }
    }
    return {};
}

void GameTable::addToCredit(int64_t amount) {
    state.credit = saturate(state.credit + amount);
}

// --- options ------------------------------------------------------------------

void GameTable::setSuggestion(bool on) {
    const CommandCheck check(*this);
    setup_.suggestion = on;
    if (state.stage != Stage::AwaitingDraw) return;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!on) {
            cards_.held[k] = false;
        } else if (cards_.markedCards[k]) {
            cards_.held[k] = true;
        }
    }
    announce(HoldsChanged{0, holdOf(cards_.held), cards_.hand});
}

bool GameTable::setDoubleUpOffered(bool on) {
    const CommandCheck check(*this);
    if (!on && state.doubleUpActive()) return false;
    setup_.doubleUpOffered = on;
    return true;
}

void GameTable::setHoldBest(bool on) {
    const CommandCheck check(*this);
    setup_.holdBest = on;
}

void GameTable::renewBestScores() {
    std::exception_ptr storeError;
    try {
        records_.MakeDefaultHighScores();
    } catch (const StoreError&) {
        storeError = std::current_exception();
    }
    announce(BestScoresRenewed{});
    if (storeError) std::rethrow_exception(storeError);
}

// --- the draw cycle ----------------------------------------------------------

void GameTable::startNewGame() {
    const CommandCheck check(*this);
    leavePractice();
    const bool holdBest = setup_.holdBest;
    setup_ = setupOf(records_.settings);
    setup_.holdBest = holdBest;
    state.betPlacedThisDraw = false;
    state.bet = 1;
    state.lastBet = 1;
    state.drawNumber = 0;
    state.stage = Stage::Betting;
    state.revealPending = false;
    state.credit = kStartCredit;
    cards_.pairRank = -1;
    announce(GameStarted{setup_});
}

void GameTable::betPlus() {
    const CommandCheck check(*this);
    if (!allows(TableCommand::BetPlus)) return;
    leavePractice();
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
    addToCredit(-1);
    announce(BetPlaced{BetPlaced::Button::Plus, state.bet, state.credit});
    if (state.bet >= kMaxBet) runDealOrDraw();
}

void GameTable::betMax() {
    const CommandCheck check(*this);
    if (!allows(TableCommand::BetMax)) return;
    leavePractice();
    if (!state.betPlacedThisDraw) state.bet = 0;  // nothing charged yet for this draw
    state.betPlacedThisDraw = true;
    addToCredit(-(kMaxBet - state.bet));
    state.bet = kMaxBet;
    announce(BetPlaced{BetPlaced::Button::Max, state.bet, state.credit});
    runDealOrDraw();
}

void GameTable::dealOrDraw() {
    const CommandCheck check(*this);
    if (!allows(TableCommand::DealOrDraw)) return;
    if (state.stage == Stage::PracticeDraw) {
        drawPractice();
        return;
    }
    if (state.stage == Stage::PracticeShown) {
        // JOUER goes on with the game: it deals when betting was open.
        const bool deals = practice_->resume == Stage::Betting;
        leavePractice();
        if (!deals) return;
    }
    runDealOrDraw();
}

void GameTable::runDealOrDraw() {
    // A lost pick's delayed reveal must never paint over the new hand.
    state.revealPending = false;
    if (state.stage == Stage::AwaitingDraw) {
        draw();
    } else {
        deal();
    }
}

void GameTable::deal() {
    for (int32_t k = 1; k <= kSlots; ++k) cards_.held[k] = false;
    const bool recharged = !state.betPlacedThisDraw;
    if (recharged) {
        state.bet = state.lastBet;
        addToCredit(-state.bet);
    }
    state.lastBet = state.bet;
    state.stage = Stage::AwaitingDraw;
    if (state.drawNumber < std::numeric_limits<int32_t>::max()) state.drawNumber += 1;
    dealHand(cards_, setup_.gameType, clock_);
    record_ = DrawRecord{};
    record_.gameType = setup_.gameType;
    record_.drawNumber = state.drawNumber;
    record_.dealt = cards_.hand;
    suggestMarks(cards_);
    const HoldMask suggested = holdOf(cards_.markedCards);
    if (setup_.holdBest) {
        const HoldMask best = bestHold(holdValues(FastEvaluator(), cards_.hand, setup_.gameType));
        for (int32_t k = 1; k <= kSlots; ++k) cards_.held[k] = holdsSlot(best, k);
    } else if (setup_.suggestion) {
        for (int32_t k = 1; k <= kSlots; ++k) cards_.held[k] = cards_.markedCards[k];
    }
    announce(HandDealt{state.drawNumber, state.bet, state.credit, recharged, setup_.gameType,
                       cards_.hand, holdOf(cards_.held), suggested});
}

void GameTable::draw() {
    record_.holds = holdOf(cards_.held);
    drawCards(cards_, setup_.gameType, clock_);
    const HandCategory category = evaluateHand(cards_);
    record_.final = cards_.hand;
    record_.category = category;
    record_.bet = state.bet;
    state.win = payout(category, state.bet);
    record_.win = state.win;
    announce(HandDrawn{record_, state.win});
    offerDoubleUp();
}

void GameTable::clickCard(int32_t slot) {
    const CommandCheck check(*this);
    if (slot < 1 || slot > kSlots) return;
    if (allows(TableCommand::HoldCard)) {
        bool& held = cards_.held[slot];
        held = !held;
        if (practice_) {
            announce(PracticeHoldsChanged{slot, holdOf(cards_.held), cards_.hand});
        } else {
            announce(HoldsChanged{slot, holdOf(cards_.held), cards_.hand});
        }
    } else if (allows(TableCommand::PickCard) && slot >= 2) {
        pick(slot);
    }
}

void GameTable::settleDraw() {
    addToCredit(state.win);
    state.betPlacedThisDraw = false;
    record_.gameType = setup_.gameType;
    record_.drawNumber = state.drawNumber;
    record_.bet = state.bet;
    record_.win = state.win;
    record_.credit = state.credit;
    announce(DrawSettled{record_});
    endOfDraw();
}

void GameTable::endOfDraw() {
    // A store that refuses the save of a new best score must not leave the
    // game stuck: the draw ends as usual and the error goes on afterwards.
    std::exception_ptr storeError;
    const GameSetup& s = setup_;
    if (s.unlimited()) {
        state.score = unlimitedScore(state.credit, state.drawNumber);
        int32_t rank = 0;
        if (state.drawNumber >= 1) {
            rank = records_.InsertHighScore(s.gameType, s.targetIndex, s.playerName, state.score,
                                            &storeError);
        }
        state.stage = Stage::Betting;
        announce(DrawEnded{state.score, rank, false});
    } else if (state.drawNumber == s.targetDraws()) {
        state.stage = Stage::GameOver;  // betting stays closed until a new game
        const int32_t rank = records_.InsertHighScore(s.gameType, s.targetIndex, s.playerName,
                                                      state.credit, &storeError);
        announce(DrawEnded{state.credit, rank, true});
    } else {
        state.stage = Stage::Betting;
        announce(DrawEnded{state.credit, 0, false});
    }
    if (storeError) std::rethrow_exception(storeError);
}

// --- the double-or-quit game -------------------------------------------------

void GameTable::offerDoubleUp() {
    // Past the largest win a doubling would risk everything for nothing: the
    // win is settled as when the option is off.
    if (state.win < 1 || !setup_.doubleUpOffered ||
        2 * static_cast<int64_t>(state.win) > kInt32Max) {
        settleDraw();
        return;
    }
    state.stage = Stage::DoubleUpOffer;
    state.offerFocusOnDouble = true;
    const bool focusOnDouble = cards_.random.randomFrom(100) >= 50;
    announce(DoubleUpOffered{state.win, focusOnDouble});
}

void GameTable::TimerYesNoDoublageTimer() {
    const CommandCheck check(*this);
    if (!timerRunning(Timer::TimerYesNoDoublage)) return;
    state.offerFocusOnDouble = !state.offerFocusOnDouble;
    announce(OfferFocusMoved{state.offerFocusOnDouble});
}

void GameTable::ButtonNoDoubleClick() {
    const CommandCheck check(*this);
    if (!allows(TableCommand::Quit)) return;
    record_.doubleUp.push_back(DoubleUpStep::Quit);
    announce(DoubleUpQuit{});
    settleDraw();
}

void GameTable::ButtonYesDoubleClick() {
    const CommandCheck check(*this);
    if (!allows(TableCommand::Double)) return;
    state.stage = Stage::DoubleUpPick;
    setUpDoubleUp();
}

void GameTable::setUpDoubleUp() {
    EngineState& s = cards_;
    // Never a two or an ace, so that a higher and a lower card always exist.
    int32_t dealer = s.random.randomFrom(kOrdinaryCards);
    while (cardTable[dealer].rank < 3 || cardTable[dealer].rank > 13) {
        dealer = s.random.randomFrom(kOrdinaryCards);
    }
    s.hand[1] = dealer;
    s.usedCards.fill(false);
    s.usedCards[dealer] = true;
    for (int32_t k = 2; k <= kSlots; ++k) s.hand[k] = -1;
    const int32_t dealerRank = cardTable[dealer].rank;

    auto freeCard = [&](auto fits) {
        int32_t c = s.random.randomFrom(kOrdinaryCards);
        while (s.usedCards[c] || !fits(cardTable[c].rank)) c = s.random.randomFrom(kOrdinaryCards);
        s.usedCards[c] = true;
        return c;
    };

    const int32_t higherSlot = 1 + s.random.randomFrom(4);
    s.hand[higherSlot] = freeCard([&](int32_t r) { return r > dealerRank; });
    int32_t lowerSlot = 1 + s.random.randomFrom(4);
    while (lowerSlot == higherSlot) lowerSlot = 1 + s.random.randomFrom(4);
    s.hand[lowerSlot] = freeCard([&](int32_t r) { return r < dealerRank; });
    for (int32_t k = 2; k <= kSlots; ++k) {
        if (s.hand[k] == -1) s.hand[k] = freeCard([](int32_t) { return true; });
    }
    state.pickFocusSlot = 2;
    announce(PickStarted{dealer, state.win});
}

void GameTable::timerCarteDoublageTimer() {
    const CommandCheck check(*this);
    if (!timerRunning(Timer::timerCarteDoublage)) return;
    const int32_t slot = state.pickFocusSlot;
    state.pickFocusSlot = slot == kSlots ? 2 : slot + 1;
    announce(PickFocusMoved{slot});
}

void GameTable::pick(int32_t slot) {
    const int32_t picked = cardTable[cards_.hand[slot]].rank;
    const int32_t dealer = cardTable[cards_.hand[1]].rank;
    if (picked < dealer) {
        record_.doubleUp.push_back(DoubleUpStep::Lost);
        state.win = 0;
        state.revealPending = true;
        announce(CardPicked{slot, DoubleUpStep::Lost, state.win});
        settleDraw();
    } else if (picked == dealer) {
        record_.doubleUp.push_back(DoubleUpStep::Tied);
        announce(CardPicked{slot, DoubleUpStep::Tied, state.win});
        offerDoubleUp();
    } else {
        // The win never passes the 32-bit limit, however long the run.
        state.win = saturate(2 * static_cast<int64_t>(state.win));
        record_.doubleUp.push_back(DoubleUpStep::Won);
        record_.largestDoubleWin = std::max(record_.largestDoubleWin, state.win);
        announce(CardPicked{slot, DoubleUpStep::Won, state.win});
        offerDoubleUp();
    }
}

// --- practice deals ---------------------------------------------------------------

bool GameTable::practise(const Hand& hand, GameType gameType) {
    const CommandCheck check(*this);
    if (!allows(TableCommand::Practise) || !dealtByGameType(hand, gameType)) return false;
    // A practice deal in place of another puts nothing more aside.
    if (!practice_) practice_ = Practice{gameType, state.stage, state.revealPending, cards_};
    practice_->gameType = gameType;
    state.revealPending = false;
    state.stage = Stage::PracticeDraw;
    cards_.hand = hand;
    cards_.held = {};
    evaluateHand(cards_);
    suggestMarks(cards_);
    announce(PracticeDealt{gameType, state.bet, hand, holdOf(cards_.markedCards)});
    return true;
}

void GameTable::drawPractice() {
    const Hand dealt = cards_.hand;
    const HoldMask held = holdOf(cards_.held);
    drawCards(cards_, practice_->gameType, clock_);
    const HandCategory category = evaluateHand(cards_);
    state.stage = Stage::PracticeShown;
    announce(PracticeDrawn{practice_->gameType, state.bet, dealt, held, cards_.hand, category,
                           payout(category, state.bet)});
}

void GameTable::endPractice() {
    const CommandCheck check(*this);
    leavePractice();
}

void GameTable::leavePractice() {
    if (!practice_) return;
    cards_ = practice_->cards;
    state.stage = practice_->resume;
    state.revealPending = practice_->revealPending;
    practice_.reset();
    announce(PracticeEnded{});
}

std::optional<GameType> GameTable::practiceGameType() const {
    if (!practice_) return std::nullopt;
    return practice_->gameType;
}

void GameTable::TimerVoirDoubleTimer() {
    const CommandCheck check(*this);
    if (!timerRunning(Timer::TimerVoirDouble)) return;
    state.revealPending = false;
    announce(CardsRevealed{});
}

}  // namespace brisko
