// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/presenter.h"

#include "contract/pay_table.h"

namespace brisko {

namespace {

std::string number(int64_t value) {
    return std::to_string(value);
}

}  // namespace

void TablePresenter::onEvent(const GameEvent& event) {
    std::visit(Overloaded{
                   [this](const GameStarted& e) { started(e.setup); },
                   [this](const BetPlaced& e) { betPlaced(e); },
                   [this](const HandDealt& e) { dealt(e); },
                   [this](const HoldsChanged& e) { holdsChanged(e); },
                   [this](const HandDrawn& e) { drawn(e); },
                   [this](const DoubleUpOffered& e) { offered(e); },
                   [this](const OfferFocusMoved& e) {
                       focus(e.onDouble ? Control::ButtonYesDouble : Control::ButtonNoDouble);
                   },
                   [this](const DoubleUpQuit&) { quit(); },
                   [this](const PickStarted&) { pickStarted(); },
                   [this](const PickFocusMoved& e) { focus(holdButton(e.slot)); },
                   [this](const CardPicked& e) { picked(e); },
                   [this](const CardsRevealed&) { revealed(); },
                   [this](const DrawSettled&) { settled(); },
                   [this](const DrawEnded& e) { ended(e); },
                   [this](const BestScoresRenewed&) { showHighScores(0); },
                   [this](const PracticeDealt&) { practiceDealt(); },
                   [this](const PracticeHoldsChanged& e) {
                       show(holdLabel(e.slot), holdsSlot(e.held, e.slot));
                   },
                   [this](const PracticeDrawn& e) { practiceDrawn(e); },
                   [this](const PracticeEnded&) { practiceEnded(); },
               },
               event);
}

// --- what the window is told -------------------------------------------------

void TablePresenter::touch(Control control) {
    if (beforePractice_) practiceTouched_.set(static_cast<size_t>(indexOf(control)));
}

void TablePresenter::caption(Control control, const std::string& text) {
    touch(control);
    model_.captions[static_cast<size_t>(indexOf(control))] = text;
    view_.setCaption(control, text);
}

void TablePresenter::show(Control control, bool visible) {
    touch(control);
    model_.visible[static_cast<size_t>(indexOf(control))] = visible;
    view_.setVisible(control, visible);
}

void TablePresenter::enable(Control control, bool enabled) {
    touch(control);
    model_.enabled[static_cast<size_t>(indexOf(control))] = enabled;
    view_.setEnabled(control, enabled);
}

void TablePresenter::focus(Control control) {
    focusTouched_ = focusTouched_ || beforePractice_.has_value();
    model_.focus = control;
    view_.setFocus(control);
}

void TablePresenter::colour(Control control, Colour colour) {
    touch(control);
    model_.colours[static_cast<size_t>(indexOf(control))] = colour;
    view_.setColour(control, colour);
}

void TablePresenter::enableBetting(bool enabled) {
    enable(Control::ButtonEncore, enabled);
    enable(Control::ButtonMiseMax, enabled);
    enable(Control::ButtonTirage, enabled);
}

void TablePresenter::showCard(int32_t slot) {
    touch(cardFrame(slot));
    model_.faceUp[static_cast<size_t>(slot)] = true;
    model_.visible[static_cast<size_t>(indexOf(cardFrame(slot)))] = true;
    view_.ShowCard(slot);
}

void TablePresenter::setResultLine(const std::string& text) {
    caption(Control::panelResultat, model_.resultPrefix + " " + text);
}

void TablePresenter::refreshPayTable() {
    for (const PayRow& row : payTableRows) {
        caption(row.valuePanel,
                number(static_cast<int64_t>(payMultiplier[static_cast<size_t>(row.category)]) *
                       table_.state.bet));
        colour(row.titlePanel, row.colour);
        colour(row.valuePanel, row.colour);
    }
}

void TablePresenter::showCategory(HandCategory category) {
    model_.resultPrefix.clear();
    if (category == HandCategory::Nothing) {
        setResultLine(texts_[Txt::txtLost]);
        model_.resultPrefix = texts_[Txt::txtLost];
        return;
    }
    const PayRow& row = payRowOf(category);
    colour(row.titlePanel, kRed);
    colour(row.valuePanel, kRed);
    if (category == HandCategory::KingsOrBetter) {
        setResultLine(table_.cards().pairRank == 13 ? texts_[Txt::txtPairOfKings]
                                                    : texts_[Txt::txtPairOfAces]);
    } else {
        setResultLine(texts_[handNameKey(static_cast<int32_t>(category))]);
    }
}

void TablePresenter::showHighScores(int32_t highlight) {
    static constexpr Colour kGrey = rgb(128, 128, 128);
    const GameSetup& setup = table_.setup();
    const HighScoreList& list = records_.list(setup.gameType, setup.targetIndex);
    for (int32_t r = 1; r <= kRanks; ++r) {
        caption(scoreName(r), list[r].name);
        caption(scorePoints(r), number(list[r].points));
    }
    auto paintRow = [this](int32_t r, Colour c) {
        for (Control panel : {scoreNumber(r), scoreName(r), scorePoints(r)}) colour(panel, c);
    };
    if (highlight >= 1 && highlight <= kRanks) {
        paintRow(highlight, kRed);
    } else if (highlight == 0) {
        for (int32_t r = 1; r <= kRanks; ++r) paintRow(r, r % 2 == 1 ? kSilver : kGrey);
    }
}

void TablePresenter::showBestScore(int32_t rank, int32_t score) {
    caption(Control::panelBravoHighScore, "BRAVO " + table_.setup().playerName + ", " +
                                              texts_[Txt::txtBestScoreNo] + number(rank) + " : " +
                                              number(score));
    show(Control::panelBravoHighScore, true);
}

// --- the draw cycle ----------------------------------------------------------

void TablePresenter::started(const GameSetup& setup) {
    view_.StopAllTimers();
    refreshPayTable();
    model_.resultPrefix.clear();
    setResultLine(texts_[Txt::txtBetPrompt]);

    show(Control::panelHaut, true);
    caption(Control::panelNiveau, texts_[gameTypeName(setup.gameType)]);
    const int32_t target = setup.targetIndex;
    caption(Control::panelObjectifNbTirages,
            target > 5 || target < 1 ? texts_[Txt::txtUnlimited]
                                     : number(kTargetDraws[static_cast<size_t>(target)]));
    show(Control::panelInfoJeu, true);
    show(Control::panelMeilleursScores, true);
    showHighScores(0);

    caption(Control::panelNomJoueur, setup.playerName);
    show(Control::panelBravoHighScore, false);
    caption(Control::panelBravoHighScore, "");
    caption(Control::panelScoreJoueur, "0");
    show(Control::panelDivers, true);

    caption(Control::PanelCredit, number(table_.state.credit));
    show(Control::PanelDoublage, false);
    caption(Control::PanelGain, "");
    caption(Control::PanelMise, "1");
    caption(Control::panelNumeroTirage, "");
    caption(Control::ButtonEncore, texts_[Txt::txtBetPlus]);

    for (int32_t k = 1; k <= kSlots; ++k) {
        model_.faceUp[static_cast<size_t>(k)] = false;
        show(cardFrame(k), false);
        show(holdLabel(k), false);
        show(holdButton(k), false);
    }
    enableBetting(true);
    show(Control::SuperPanelGarde, true);
    show(Control::PanelGainsPossibles, true);
    focus(Control::ButtonTirage);
}

void TablePresenter::betPlaced(const BetPlaced& bet) {
    if (bet.button == BetPlaced::Button::Max) {
        enable(Control::ButtonEncore, false);
        enable(Control::ButtonMiseMax, false);
    }
    refreshPayTable();
    caption(Control::PanelMise, number(bet.bet));
    if (bet.button == BetPlaced::Button::Plus)
        caption(Control::ButtonEncore, texts_[Txt::txtBetPlus]);
    caption(Control::PanelCredit, number(bet.credit));
    if (bet.button == BetPlaced::Button::Max) {
        enable(Control::ButtonTirage, true);
        focus(Control::ButtonTirage);
    } else if (bet.bet >= kMaxBet) {
        enable(Control::ButtonEncore, false);
        enable(Control::ButtonMiseMax, false);
        focus(Control::ButtonTirage);
    }
}

void TablePresenter::dealButtonPressed() {
    showHighScores(0);
    show(Control::panelBravoHighScore, false);
    view_.stopTimer(Timer::TimerVoirDouble);
}

void TablePresenter::dealt(const HandDealt& deal) {
    dealButtonPressed();
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdLabel(k), false);
        show(cardFrame(k), true);
        show(holdButton(k), true);
    }
    model_.resultPrefix.clear();
    setResultLine(texts_[Txt::txtHoldPrompt]);
    caption(Control::PanelGain, "");
    if (deal.recharged) {
        refreshPayTable();
        caption(Control::PanelMise, number(deal.bet));
        caption(Control::PanelCredit, number(deal.credit));
    }
    enable(Control::ButtonEncore, false);
    enable(Control::ButtonMiseMax, false);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), true);
        show(holdLabel(k), false);
        caption(holdLabel(k), texts_[Txt::txtHeld]);
    }
    caption(Control::panelNumeroTirage, texts_[Txt::txtDraw] + " #" + number(deal.drawNumber));
    for (int32_t k = 1; k <= kSlots; ++k) showCard(k);
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (holdsSlot(deal.held, k)) show(holdLabel(k), true);
    }
}

void TablePresenter::holdsChanged(const HoldsChanged& holds) {
    if (holds.slot >= 1 && holds.slot <= kSlots) {
        show(holdLabel(holds.slot), holdsSlot(holds.held, holds.slot));
        return;
    }
    for (int32_t k = 1; k <= kSlots; ++k) show(holdLabel(k), holdsSlot(holds.held, k));
}

void TablePresenter::drawn(const HandDrawn& draw) {
    dealButtonPressed();
    for (int32_t k = 1; k <= kSlots; ++k) showCard(k);
    showCategory(draw.record.category);
    caption(Control::PanelGain, number(draw.win));
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), false);
        show(holdLabel(k), false);
    }
    if (draw.win > 0) {
        const EngineState& cards = table_.cards();
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!cards.markedCards[k]) continue;
            caption(holdLabel(k), texts_[Txt::txtBravo]);
            show(holdLabel(k), true);
        }
    }
}

void TablePresenter::settled() {
    // Past a won pick the four cards' buttons were still there.
    for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
    const GameState& state = table_.state;
    caption(Control::PanelCredit, number(state.credit));
    enableBetting(false);
    caption(Control::PanelMise, number(state.bet));
    caption(Control::ButtonEncore, texts_[state.bet > 1 ? Txt::txtBet1 : Txt::txtBetPlus]);
}

void TablePresenter::ended(const DrawEnded& end) {
    const GameSetup& setup = table_.setup();
    caption(Control::panelScoreJoueur, number(end.score));
    if (end.gameOver) {
        setResultLine(texts_[Txt::txtGameOver]);
        show(Control::panelChangeGame, true);
        show(Control::panelNewGame, true);
        if (end.rank > 0) {
            showHighScores(end.rank);
            showBestScore(end.rank, end.score);
        } else {
            caption(Control::panelBravoHighScore, texts_[Txt::txtNoHighScore]);
            show(Control::panelBravoHighScore, true);
        }
        return;
    }
    if (setup.unlimited() && end.rank > 0) {
        showHighScores(end.rank);
        showBestScore(end.rank, end.score);
    }
    setResultLine(texts_[Txt::txtBetPrompt]);
    enableBetting(true);
    focus(Control::ButtonTirage);
}

// --- the double-or-quit game -------------------------------------------------

void TablePresenter::offered(const DoubleUpOffered& offer) {
    enable(Control::ButtonTirage, false);
    for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
    show(Control::PanelDoublage, true);
    caption(Control::ButtonNoDouble, texts_[Txt::txtQuitWon] + number(offer.win));
    caption(Control::ButtonYesDouble, texts_[Txt::txtDoubleTo] + number(2 * int64_t{offer.win}));
    focus(offer.focusOnDouble ? Control::ButtonYesDouble : Control::ButtonNoDouble);
    view_.startTimer(Timer::TimerYesNoDoublage);
}

void TablePresenter::quit() {
    setResultLine("");
    show(Control::PanelDoublage, false);
    view_.stopTimer(Timer::TimerYesNoDoublage);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), false);
        showCard(k);
    }
}

void TablePresenter::pickStarted() {
    setResultLine("");
    show(Control::PanelDoublage, false);
    view_.stopTimer(Timer::TimerYesNoDoublage);
    enableBetting(false);
    for (int32_t k = 1; k <= kSlots; ++k) {
        model_.faceUp[static_cast<size_t>(k)] = false;
        show(cardFrame(k), false);
        show(holdLabel(k), false);
    }
    showCard(1);
    model_.resultPrefix.clear();
    setResultLine(texts_[Txt::txtDoubleUpPrompt]);
    for (int32_t k = 2; k <= kSlots; ++k) show(holdButton(k), true);
    view_.startTimer(Timer::timerCarteDoublage);
}

void TablePresenter::picked(const CardPicked& pick) {
    view_.stopTimer(Timer::timerCarteDoublage);
    showCard(pick.slot);
    switch (pick.outcome) {
        case DoubleUpStep::Lost:
            caption(Control::PanelGain, "0");
            model_.resultPrefix.clear();
            setResultLine(texts_[Txt::txtLost]);
            model_.resultPrefix = texts_[Txt::txtLost];
            for (int32_t k = 1; k <= kSlots; ++k) show(holdButton(k), false);
            view_.startTimer(Timer::TimerVoirDouble);
            break;
        case DoubleUpStep::Tied:
            setResultLine(texts_[Txt::txtTie]);
            break;
        case DoubleUpStep::Won:
        case DoubleUpStep::Quit:
            caption(Control::PanelGain, number(pick.win));
            break;
    }
}

void TablePresenter::revealed() {
    for (int32_t k = 2; k <= kSlots; ++k) showCard(k);
    view_.stopTimer(Timer::TimerVoirDouble);
}

// --- practice deals -----------------------------------------------------------------

void TablePresenter::practiceDealt() {
    if (!beforePractice_) {
        beforePractice_ = model_;
        practiceTouched_.reset();
        focusTouched_ = false;
        // A lost pick's reveal waits for the game's own cards.
        view_.stopTimer(Timer::TimerVoirDouble);
    }
    show(Control::panelBravoHighScore, false);
    refreshPayTable();
    caption(Control::PanelGain, "");
    caption(Control::panelNumeroTirage, texts_[Txt::txtPracticeDeal]);
    caption(Control::panelResultat, " " + texts_[Txt::txtPracticeHoldPrompt]);
    enable(Control::ButtonEncore, false);
    enable(Control::ButtonMiseMax, false);
    enable(Control::ButtonTirage, true);
    for (int32_t k = 1; k <= kSlots; ++k) {
        show(holdButton(k), true);
        show(holdLabel(k), false);
        caption(holdLabel(k), texts_[Txt::txtHeld]);
        showCard(k);
    }
    focus(Control::ButtonTirage);
}

void TablePresenter::practiceDrawn(const PracticeDrawn& draw) {
    for (int32_t k = 1; k <= kSlots; ++k) {
        showCard(k);
        show(holdButton(k), false);
        show(holdLabel(k), false);
    }
    std::string hand = texts_[Txt::txtPracticeNoWin];
    if (draw.category == HandCategory::KingsOrBetter) {
        hand = texts_[table_.cards().pairRank == 13 ? Txt::txtPairOfKings : Txt::txtPairOfAces];
    } else if (draw.category != HandCategory::Nothing) {
        hand = texts_[handNameKey(static_cast<int32_t>(draw.category))];
    }
    if (draw.category != HandCategory::Nothing) {
        const PayRow& row = payRowOf(draw.category);
        colour(row.titlePanel, kRed);
        colour(row.valuePanel, kRed);
        const EngineState& cards = table_.cards();
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!cards.markedCards[k]) continue;
            caption(holdLabel(k), texts_[Txt::txtBravo]);
            show(holdLabel(k), true);
        }
    }
    caption(Control::panelResultat,
            " " + texts_[Txt::txtPracticeResult] + hand + texts_[Txt::txtPracticeBack]);
    // JOUER goes back to the game; the bet buttons too when betting was open.
    const bool betting = table_.allows(TableCommand::BetPlus);
    enable(Control::ButtonEncore, betting);
    enable(Control::ButtonMiseMax, betting);
    enable(Control::ButtonTirage, true);
    focus(Control::ButtonTirage);
}

void TablePresenter::practiceEnded() {
    if (!beforePractice_) return;
    const TableModel before = std::move(*beforePractice_);
    beforePractice_.reset();
    for (size_t c = 0; c < practiceTouched_.size(); ++c) {
        if (!practiceTouched_.test(c)) continue;
        const auto control = static_cast<Control>(c);
        model_.captions[c] = before.captions[c];
        if (before.captions[c]) view_.setCaption(control, *before.captions[c]);
        model_.visible[c] = before.visible[c];
        if (before.visible[c]) view_.setVisible(control, *before.visible[c]);
        model_.enabled[c] = before.enabled[c];
        if (before.enabled[c]) view_.setEnabled(control, *before.enabled[c]);
        model_.colours[c] = before.colours[c];
        if (before.colours[c]) view_.setColour(control, *before.colours[c]);
    }
    // The game's own cards, painted again where they were face up.
    for (int32_t k = 1; k <= kSlots; ++k) {
        const auto slot = static_cast<size_t>(k);
        model_.faceUp[slot] = before.faceUp[slot];
        if (before.faceUp[slot]) view_.ShowCard(k);
    }
    if (focusTouched_ && before.focus) focus(*before.focus);
    if (table_.timerRunning(Timer::TimerVoirDouble)) view_.startTimer(Timer::TimerVoirDouble);
}

}  // namespace brisko
