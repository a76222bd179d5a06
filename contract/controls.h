// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as the game's logic reaches them: by an identifier
// of their own, never by a toolkit type or a name written out, so that a
// control that does not exist does not compile. The window keeps the table
// of their object names.
#pragma once

#include <cstdint>
#include <string>

#include "engine/card.h"

namespace brisko {

// A 32-bit colour as the game stores it: low byte red, then green, then blue.
using Colour = uint32_t;
constexpr Colour rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kLightGreen = rgb(146, 239, 150);
inline constexpr Colour kDarkGreen = rgb(0, 64, 0);
inline constexpr Colour kSilver = rgb(192, 192, 192);

enum class Control : int32_t {
    // The message line and the regions that show once a game starts.
    panelResultat,
    panelHaut,
    panelMeilleursScores,
    panelDivers,
    panelInfoJeu,
    PanelGainsPossibles,
    SuperPanelGarde,
    // The game, the player and the commands that come back at the end.
    panelNiveau,
    panelNumeroTirage,
    panelObjectifNbTirages,
    panelChangeGame,
    panelNewGame,
    panelNomJoueur,
    panelScoreJoueur,
    // Betting, dealing and the win.
    ButtonEncore,
    PanelMise,
    ButtonMiseMax,
    PanelGain,
    ButtonTirage,
    PanelCredit,
    panelBravoHighScore,
    // Double or quits.
    PanelDoublage,
    ButtonNoDouble,
    ButtonYesDouble,
    // The five card slots: label, card frame, hold button.
    PanelG1,
    PanelG2,
    PanelG3,
    PanelG4,
    PanelG5,
    ConteneurC1,
    ConteneurC2,
    ConteneurC3,
    ConteneurC4,
    ConteneurC5,
    ButtonC1,
    buttonC2,  // always spelt with a small b on the window
    ButtonC3,
    ButtonC4,
    ButtonC5,
    // The pay table from the royal flush down: title panel, value panel.
    PanelTitreFlushRoyale,
    PanelFlushRoyale,
    PanelTitreQuinteFlush,
    PanelQuinteFlush,
    PanelTitreCarre,
    PanelCarre,
    PanelTitreFull,
    PanelFull,
    PanelTitreFlush,
    PanelFlush,
    PanelTitreSuite,
    PanelSuite,
    PanelTitreBrelan,
    PanelBrelan,
    PanelTitreDeuxPaires,
    PanelDeuxPaires,
    PanelTitrePaireAsOuRoi,
    PanelPaireAsOuRoi,
    // The best scores, rank 1 to 5: number, name, points.
    panelNumero1,
    panelNumero2,
    panelNumero3,
    panelNumero4,
    panelNumero5,
    panelNomMeilleurScore1,
    panelNomMeilleurScore2,
    panelNomMeilleurScore3,
    panelNomMeilleurScore4,
    panelNomMeilleurScore5,
    panelMeilleurScore1,
    panelMeilleurScore2,
    panelMeilleurScore3,
    panelMeilleurScore4,
    panelMeilleurScore5,
};

inline constexpr int32_t kControlCount = static_cast<int32_t>(Control::panelMeilleurScore5) + 1;

constexpr int32_t indexOf(Control control) {
    return static_cast<int32_t>(control);
}

// The n-th (1-based) of a run of controls that starts with `first`.
constexpr Control nth(Control first, int32_t n) {
    return static_cast<Control>(indexOf(first) + n - 1);
}
// The label above slot 1..5 ("GARDE", "BRAVO").
constexpr Control holdLabel(int32_t slot) {
    return nth(Control::PanelG1, slot);
}
// The frame of the card picture of slot 1..5; hidden means no card shown.
constexpr Control cardFrame(int32_t slot) {
    return nth(Control::ConteneurC1, slot);
}
// The hold button under slot 1..5.
constexpr Control holdButton(int32_t slot) {
    return nth(Control::ButtonC1, slot);
}
// The three panels of rank 1..5 of the best scores.
constexpr Control scoreNumber(int32_t rank) {
    return nth(Control::panelNumero1, rank);
}
constexpr Control scoreName(int32_t rank) {
    return nth(Control::panelNomMeilleurScore1, rank);
}
constexpr Control scorePoints(int32_t rank) {
    return nth(Control::panelMeilleurScore1, rank);
}

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void setCaption(Control control, const std::string& text) = 0;
    virtual void setVisible(Control control, bool visible) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void setFocus(Control control) = 0;
    virtual void setColour(Control control, Colour colour) = 0;
};

}  // namespace brisko
