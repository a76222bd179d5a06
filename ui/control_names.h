// SPDX-License-Identifier: GPL-3.0-or-later
// The object name on the window of every control the game's logic reaches,
// by its identifier.
#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "contract/controls.h"

namespace brisko {

inline constexpr std::array<std::pair<Control, std::string_view>, kControlCount> kControlNames = {{
    {Control::panelResultat, "panelResultat"},
    {Control::panelHaut, "panelHaut"},
    {Control::panelMeilleursScores, "panelMeilleursScores"},
    {Control::panelDivers, "panelDivers"},
    {Control::panelInfoJeu, "panelInfoJeu"},
    {Control::PanelGainsPossibles, "PanelGainsPossibles"},
    {Control::SuperPanelGarde, "SuperPanelGarde"},
    {Control::panelNiveau, "panelNiveau"},
    {Control::panelNumeroTirage, "panelNumeroTirage"},
    {Control::panelObjectifNbTirages, "panelObjectifNbTirages"},
    {Control::panelChangeGame, "panelChangeGame"},
    {Control::panelNewGame, "panelNewGame"},
    {Control::panelNomJoueur, "panelNomJoueur"},
    {Control::panelScoreJoueur, "panelScoreJoueur"},
    {Control::ButtonEncore, "ButtonEncore"},
    {Control::PanelMise, "PanelMise"},
    {Control::ButtonMiseMax, "ButtonMiseMax"},
    {Control::PanelGain, "PanelGain"},
    {Control::ButtonTirage, "ButtonTirage"},
    {Control::PanelCredit, "PanelCredit"},
    {Control::panelBravoHighScore, "panelBravoHighScore"},
    {Control::PanelDoublage, "PanelDoublage"},
    {Control::ButtonNoDouble, "ButtonNoDouble"},
    {Control::ButtonYesDouble, "ButtonYesDouble"},
    {Control::PanelG1, "PanelG1"},
    {Control::PanelG2, "PanelG2"},
    {Control::PanelG3, "PanelG3"},
    {Control::PanelG4, "PanelG4"},
    {Control::PanelG5, "PanelG5"},
    {Control::ConteneurC1, "ConteneurC1"},
    {Control::ConteneurC2, "ConteneurC2"},
    {Control::ConteneurC3, "ConteneurC3"},
    {Control::ConteneurC4, "ConteneurC4"},
    {Control::ConteneurC5, "ConteneurC5"},
    {Control::ButtonC1, "ButtonC1"},
    {Control::buttonC2, "buttonC2"},
    {Control::ButtonC3, "ButtonC3"},
    {Control::ButtonC4, "ButtonC4"},
    {Control::ButtonC5, "ButtonC5"},
    {Control::PanelTitreFlushRoyale, "PanelTitreFlushRoyale"},
    {Control::PanelFlushRoyale, "PanelFlushRoyale"},
    {Control::PanelTitreQuinteFlush, "PanelTitreQuinteFlush"},
    {Control::PanelQuinteFlush, "PanelQuinteFlush"},
    {Control::PanelTitreCarre, "PanelTitreCarre"},
    {Control::PanelCarre, "PanelCarre"},
    {Control::PanelTitreFull, "PanelTitreFull"},
    {Control::PanelFull, "PanelFull"},
    {Control::PanelTitreFlush, "PanelTitreFlush"},
    {Control::PanelFlush, "PanelFlush"},
    {Control::PanelTitreSuite, "PanelTitreSuite"},
    {Control::PanelSuite, "PanelSuite"},
    {Control::PanelTitreBrelan, "PanelTitreBrelan"},
    {Control::PanelBrelan, "PanelBrelan"},
    {Control::PanelTitreDeuxPaires, "PanelTitreDeuxPaires"},
    {Control::PanelDeuxPaires, "PanelDeuxPaires"},
    {Control::PanelTitrePaireAsOuRoi, "PanelTitrePaireAsOuRoi"},
    {Control::PanelPaireAsOuRoi, "PanelPaireAsOuRoi"},
    {Control::panelNumero1, "panelNumero1"},
    {Control::panelNumero2, "panelNumero2"},
    {Control::panelNumero3, "panelNumero3"},
    {Control::panelNumero4, "panelNumero4"},
    {Control::panelNumero5, "panelNumero5"},
    {Control::panelNomMeilleurScore1, "panelNomMeilleurScore1"},
    {Control::panelNomMeilleurScore2, "panelNomMeilleurScore2"},
    {Control::panelNomMeilleurScore3, "panelNomMeilleurScore3"},
    {Control::panelNomMeilleurScore4, "panelNomMeilleurScore4"},
    {Control::panelNomMeilleurScore5, "panelNomMeilleurScore5"},
    {Control::panelMeilleurScore1, "panelMeilleurScore1"},
    {Control::panelMeilleurScore2, "panelMeilleurScore2"},
    {Control::panelMeilleurScore3, "panelMeilleurScore3"},
    {Control::panelMeilleurScore4, "panelMeilleurScore4"},
    {Control::panelMeilleurScore5, "panelMeilleurScore5"},
}};

constexpr bool controlNamesInOrder() {
    for (size_t i = 0; i < kControlNames.size(); ++i) {
        if (static_cast<size_t>(indexOf(kControlNames[i].first)) != i) return false;
    }
    return true;
}
static_assert(controlNamesInOrder(), "row n names control n");

constexpr std::string_view controlName(Control control) {
    return kControlNames[static_cast<size_t>(indexOf(control))].second;
}

}  // namespace brisko
