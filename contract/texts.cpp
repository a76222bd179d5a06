// SPDX-License-Identifier: GPL-3.0-or-later
#include "contract/texts.h"

namespace brisko {

namespace {

// Shown exactly as written: accents, blanks and the single line feed included.
constexpr TextRow<Txt> kTexts[] = {
    {Txt::txtBetPrompt,
     "txtBetPrompt",
     {"Faites vos enchères (boutons MISE 1 ou MISE + et MISE 20).\nAppuyez ensuite sur le bouton "
      "JOUER.",
      "Bet ! (button BET 1 or BET + and BET 20) then click on the DEAL button!"}},
    {Txt::txtHoldPrompt,
     "txtHoldPrompt",
     {"Cliquez sur les boutons en dessous des cartes (ou sur les cartes elles-mêmes) pour les "
      "garder ou les remplacer puis sur le bouton JOUER...",
      "Click on the buttons below the cards (or just on the cards) to hold or throw them. Then "
      "click on the DEAL button..."}},
    {Txt::txtDraw, "txtDraw", {"Tirage", "Draw"}},
    {Txt::txtHeld, "txtHeld", {"GARDE", "HELD"}},
    {Txt::txtBravo, "txtBravo", {"BRAVO", "YEAH"}},
    {Txt::txtBet1, "txtBet1", {"MISE 1", "BET 1"}},
    {Txt::txtBetPlus, "txtBetPlus", {"MISE +", "BET +"}},
    {Txt::txtLost, "txtLost", {"PERDU !!!", "YOU LOSE !!!"}},
    {Txt::txtQuitWon, "txtQuitWon", {"&Quitte, Gain : ", "&Quits, Won : "}},
    {Txt::txtDoubleTo, "txtDoubleTo", {"&Doubler à : ", "&Double up to : "}},
    {Txt::txtDoubleUpPrompt,
     "txtDoubleUpPrompt",
     {"Vous devez tirez une carte parmi les 4 cartes proposées...",
      "Please choose a card among the 4 cards below..."}},
    {Txt::txtTie, "txtTie", {"Egalité, on recommence ?", "Tied, try again ?"}},
    {Txt::txtWaitEndOfDraw,
     "txtWaitEndOfDraw",
     {"Attendez de finir ce tirage pour desactiver l'option de doublage",
      "Please wait for the end of the draw if you want to change this option"}},
    {Txt::txtGameOver,
     "txtGameOver",
     {"FIN DE LA PARTIE. APPUYEZ SUR LA TOUCHE F2 OU F3 POUR REJOUER",
      "PRESS THE KEY F2 OR F3 TO START A NEW GAME"}},
    {Txt::txtBestScoreNo, "txtBestScoreNo", {"meilleur score #", "best score #"}},
    {Txt::txtNoHighScore,
     "txtNoHighScore",
     {"Malheureusement, vous n'avez pas réalisé de meilleur score...",
      "Unfortunately, you didn't get a high score..."}},
    {Txt::txtUnlimited, "txtUnlimited", {"Illimité", "Unlimited"}},
    {Txt::txtGameType, "txtGameType", {"Type de jeu", "Game Mode"}},
    {Txt::txtGameTypeName1, "txtGameTypeName1", {"Joker à chaque tirage", "ALWAYS A JOKER"}},
    {Txt::txtGameTypeName2, "txtGameTypeName2", {"Joker possible", "WITH JOKER"}},
    {Txt::txtGameTypeName3, "txtGameTypeName3", {"Sans Joker", "WITHOUT JOKER"}},
    {Txt::txtHandName9, "txtHandName9", {"Flush royal", "Royal Flush"}},
    {Txt::txtHandName8, "txtHandName8", {"QuinteFlush", "Straight Flush"}},
    {Txt::txtHandName7, "txtHandName7", {"Carré", "Four of a Kind"}},
    {Txt::txtHandName6, "txtHandName6", {"Full", "Full House"}},
    {Txt::txtHandName5, "txtHandName5", {"Flush", "Flush"}},
    {Txt::txtHandName4, "txtHandName4", {"Suite", "Straight"}},
    {Txt::txtHandName3, "txtHandName3", {"Brelan", "Three of a Kind"}},
    {Txt::txtHandName2, "txtHandName2", {"Deux paires", "Two Pairs"}},
    {Txt::txtHandName1, "txtHandName1", {"Rois ou mieux", "Kings or Better"}},
    {Txt::txtPairOfAces, "txtPairOfAces", {"Paire d'As", "Pair of Aces"}},
    {Txt::txtPairOfKings, "txtPairOfKings", {"Paire de Rois", "Pair of Kings"}},
};

static_assert(std::size(kTexts) == static_cast<size_t>(kTextCount));
static_assert(rowsInKeyOrder(kTexts), "the rows follow the order of Txt");

}  // namespace

std::string_view textKeyName(Txt key) {
    return keyNameIn(kTexts, key);
}

std::string_view textFor(Txt key, Language language) {
    return textIn(kTexts, key, language);
}

}  // namespace brisko
