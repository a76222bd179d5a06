// SPDX-License-Identifier: GPL-3.0-or-later
#include "contract/texts.h"

namespace brisko {

namespace {

struct TextRow {
    Txt key;
    std::string_view name;
    std::array<std::string_view, kLanguageCount> text;  // by language, French first
};

// Shown exactly as written: accents, blanks and the single line feed included.
constexpr TextRow kTexts[] = {
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
    {Txt::txtChooseGame, "txtChooseGame", {"Choisissez un jeu", "Choose a game"}},
    {Txt::txtChangeGame, "txtChangeGame", {"Changer de jeu", "Change game"}},
    {Txt::txtYourName, "txtYourName", {"Votre nom :", "Your name:"}},
    {Txt::txtHighScore, "txtHighScore", {"Meilleur score", "Highest score"}},
    {Txt::txtGameType, "txtGameType", {"Type de jeu", "Game Mode"}},
    {Txt::txtGameTypeName1, "txtGameTypeName1", {"Joker à chaque tirage", "ALWAYS A JOKER"}},
    {Txt::txtGameTypeName2, "txtGameTypeName2", {"Joker possible", "WITH JOKER"}},
    {Txt::txtGameTypeName3, "txtGameTypeName3", {"Sans Joker", "WITHOUT JOKER"}},
    {Txt::txtDrawCount, "txtDrawCount", {"Nombre de tirages", "Number of draws"}},
    {Txt::txtUnlimitedScore,
     "txtUnlimitedScore",
     {"Illimité : Score=(Credit+2000)x100/(nombreDeTirages+100)",
      "Unlimited : Score=(points+2000)x100/(numberOfDraws+100)"}},
    {Txt::txtOK, "txtOK", {"OK", "OK"}},
    {Txt::txtCancel, "txtCancel", {"ANNULER", "CANCEL"}},
    {Txt::txtEnterName,
     "txtEnterName",
     {"Veuillez saisir votre nom !!!", "Please, enter your name!!!"}},
    {Txt::txtConfirmQuit,
     "txtConfirmQuit",
     {"Voulez-vous vraiment arrêter ?", "Do you really want to quit ?"}},
    {Txt::txtGoodbye, "txtGoodbye", {"A bientôt !!!", "See you !!!"}},
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
    {Txt::menuBrisko, "menuBrisko", {"&Brisko", "&Brisko"}},
    {Txt::menuNewGame, "menuNewGame", {"&Nouvelle partie", "&New game"}},
    {Txt::menuChangeGame, "menuChangeGame", {"&Changer de jeu", "&Change game"}},
    {Txt::menuInitHighScores, "menuInitHighScores", {"&Re-créer les scores", "&Init high scores"}},
    {Txt::menuQuit, "menuQuit", {"&Quitter", "&Quit"}},
    {Txt::menuOptions, "menuOptions", {"&Options", "&Options"}},
    {Txt::menuSuggestionCartes,
     "menuSuggestionCartes",
     {"&Suggestion des cartes à garder", "&Autohold suggested cards"}},
    {Txt::menuOptionDoublage, "menuOptionDoublage", {"&Doublage proposé", "&Double up"}},
    {Txt::menuBarreInfo, "menuBarreInfo", {"&Barre d'information", "&Information bar"}},
    {Txt::menuCouleurFondEcran,
     "menuCouleurFondEcran",
     {"&Couleur du fond d'écran", "&Background screen color"}},
    {Txt::menuAide, "menuAide", {"&Aide", "&Help"}},
    {Txt::menuSommaire, "menuSommaire", {"&Sommaire", "&Contents"}},
    {Txt::menuApropos, "menuApropos", {"A &propos", "&About"}},
    {Txt::hintSBNewGame, "hintSBNewGame", {"Nouvelle partie", "New game"}},
    {Txt::hintSBChangeGame, "hintSBChangeGame", {"Changer de jeu", "Change game"}},
    {Txt::hintSBAide, "hintSBAide", {"Aide", "Help"}},
    {Txt::hintSBquit, "hintSBquit", {"Quitter le jeu", "Quit the game"}},
    {Txt::hintSBBossKey, "hintSBBossKey", {"V'là l'boss !", "Boss key !"}},
    {Txt::hintPanelNomJoueur, "hintPanelNomJoueur", {"Votre nom", "Your name"}},
    {Txt::hintPanelScoreJoueur, "hintPanelScoreJoueur", {"Votre score", "Your score"}},
    {Txt::hintPanelNiveau, "hintPanelNiveau", {"Type de jeu", "Game mode"}},
    {Txt::hintPanelObjectifNbTirages,
     "hintPanelObjectifNbTirages",
     {"Nombre de tirages", "Draws number"}},
    {Txt::hintPanelNumeroTirage, "hintPanelNumeroTirage", {"Numéro de tirage", "Draw #"}},
    {Txt::hintPanelMise, "hintPanelMise", {"Mise actuelle", "Your bet"}},
    {Txt::hintPanelGain, "hintPanelGain", {"Gain réalisé lors de ce tirage", "Won"}},
    {Txt::hintPanelCredit, "hintPanelCredit", {"Crédit actuel", "Credit"}},
    {Txt::captionPanelTitreMeilleursScores,
     "captionPanelTitreMeilleursScores",
     {"MEILLEURS SCORES", "HIGH SCORES"}},
    {Txt::captionPanelQuitter, "captionPanelQuitter", {"QUITTER", "QUIT"}},
    {Txt::captionPanelAide, "captionPanelAide", {"AIDE", "HELP"}},
    {Txt::captionPanelInitScores,
     "captionPanelInitScores",
     {"Re-créer les scores", "INIT HIGH SCORES"}},
    {Txt::captionPanelChangeGame, "captionPanelChangeGame", {"CHANGER DE JEU", "CHANGE GAME"}},
    {Txt::captionPanelNewGame, "captionPanelNewGame", {"NOUVELLE PARTIE", "NEW GAME"}},
    {Txt::captionButtonNoDouble, "captionButtonNoDouble", {"&QUITTE", "&QUITS"}},
    {Txt::captionPanelQuitteOuDouble,
     "captionPanelQuitteOuDouble",
     {"QUITTE OU DOUBLE ???", "DOUBLE OR QUITS ???"}},
    {Txt::captionButtonYesDouble, "captionButtonYesDouble", {"&DOUBLE !", "&DOUBLE !"}},
    {Txt::captionButtonMiseMax, "captionButtonMiseMax", {"MISE ", "BET "}},
    {Txt::captionButtonTirage, "captionButtonTirage", {"JOUER", "DEAL"}},
    {Txt::hintPanelNumero, "hintPanelNumero", {"Numéro ", "Position #"}},
    {Txt::hintPanelNomMeilleurScore,
     "hintPanelNomMeilleurScore",
     {"Nom du meilleur joueur numéro ", "Best player #"}},
    {Txt::hintPanelMeilleurScore,
     "hintPanelMeilleurScore",
     {"Score du meilleur joueur numéro ", "Score of the best player #"}},
    {Txt::questionDefaultHighScores,
     "questionDefaultHighScores",
     {"Voulez-vous réellement remettre les meilleurs scores par défaut ?",
      "Do you really want to set default high scores ?"}},
    // Followed by the slot's key, 1 to 5, and a closing bracket.
    {Txt::hintButtonC,
     "hintButtonC",
     {"Garder ou remplacer la carte (touche ", "Hold or throw the card (key "}},
    // Accessible names: a card is its value, then its suit (", held" after a
    // held one); a pay-table row its hand name, a11yPays, the win at the bet
    // and a11yCredits; a figure its hint, a11ySeparator and what it shows.
    {Txt::a11yValue1, "a11yValue1", {"As", "Ace"}},
    {Txt::a11yValue2, "a11yValue2", {"Deux", "Two"}},
    {Txt::a11yValue3, "a11yValue3", {"Trois", "Three"}},
    {Txt::a11yValue4, "a11yValue4", {"Quatre", "Four"}},
    {Txt::a11yValue5, "a11yValue5", {"Cinq", "Five"}},
    {Txt::a11yValue6, "a11yValue6", {"Six", "Six"}},
    {Txt::a11yValue7, "a11yValue7", {"Sept", "Seven"}},
    {Txt::a11yValue8, "a11yValue8", {"Huit", "Eight"}},
    {Txt::a11yValue9, "a11yValue9", {"Neuf", "Nine"}},
    {Txt::a11yValue10, "a11yValue10", {"Dix", "Ten"}},
    {Txt::a11yValue11, "a11yValue11", {"Valet", "Jack"}},
    {Txt::a11yValue12, "a11yValue12", {"Dame", "Queen"}},
    {Txt::a11yValue13, "a11yValue13", {"Roi", "King"}},
    {Txt::a11ySuit1, "a11ySuit1", {" de pique", " of spades"}},
    {Txt::a11ySuit2, "a11ySuit2", {" de cœur", " of hearts"}},
    {Txt::a11ySuit3, "a11ySuit3", {" de trèfle", " of clubs"}},
    {Txt::a11ySuit4, "a11ySuit4", {" de carreau", " of diamonds"}},
    {Txt::a11yJoker, "a11yJoker", {"Joker", "Joker"}},
    {Txt::a11yFaceDown, "a11yFaceDown", {"Carte cachée", "Face-down card"}},
    {Txt::a11yHeld, "a11yHeld", {", gardée", ", held"}},
    {Txt::a11yDealerCard, "a11yDealerCard", {"Carte du donneur : ", "Dealer's card: "}},
    {Txt::a11yHoldButton, "a11yHoldButton", {"Garder ou remplacer : ", "Hold or throw: "}},
    {Txt::a11yPickButton, "a11yPickButton", {"Choisir la carte cachée ", "Pick face-down card "}},
    {Txt::a11yPays, "a11yPays", {" : gain de ", ": wins "}},
    {Txt::a11yCredits, "a11yCredits", {" crédits", " credits"}},
    {Txt::a11ySeparator, "a11ySeparator", {" : ", ": "}},
    {Txt::a11yMessageLine, "a11yMessageLine", {"Message du jeu", "Game message"}},
    {Txt::a11yDeal, "a11yDeal", {"Distribuer cinq cartes", "Deal five cards"}},
    {Txt::a11yDraw,
     "a11yDraw",
     {"Remplacer les cartes qui ne sont pas gardées", "Replace the cards not held"}},
    {Txt::a11yQuitDescription,
     "a11yQuitDescription",
     {"Ajouter le gain au crédit", "Add the win to the credit"}},
    {Txt::a11yDoubleDescription,
     "a11yDoubleDescription",
     {"Choisir une carte plus haute que celle du donneur pour doubler le gain",
      "Pick a card higher than the dealer's to double the win"}},
    {Txt::a11yPlayFrench, "a11yPlayFrench", {"Jouer en français", "Play in French"}},
    {Txt::a11yPlayEnglish, "a11yPlayEnglish", {"Jouer en anglais", "Play in English"}},
    // The About box: "BRISKO 99", then this line.
    {Txt::txtAboutNotice,
     "txtAboutNotice",
     {"Vidéo poker. Logiciel libre sous licence GNU GPL, version 3 ou ultérieure ; cartes "
      "tirées de GNOME Aisleriot.",
      "Video poker. Free software under the GNU GPL, version 3 or later; card art from GNOME "
      "Aisleriot."}},
    // The help window's title follows the product title and " - ".
    {Txt::txtHelpTitle, "txtHelpTitle", {"Aide", "Help"}},
    // The trainer's list of holds.
    {Txt::txtTrainer, "txtTrainer", {"Entraîneur", "Trainer"}},
    {Txt::txtTrainerCards, "txtTrainerCards", {"Cartes gardées", "Cards held"}},
    {Txt::txtTrainerWin, "txtTrainerWin", {"Gain espéré", "Expected win"}},
    {Txt::txtTrainerPerCredit, "txtTrainerPerCredit", {"Par crédit", "Per credit"}},
    {Txt::txtTrainerCredits, "txtTrainerCredits", {"crédits", "credits"}},
    {Txt::txtTrainerNoCard, "txtTrainerNoCard", {"(aucune)", "(none)"}},
    {Txt::txtTrainerBest, "txtTrainerBest", {"Meilleur choix", "Best play"}},
    {Txt::txtTrainerCurrent, "txtTrainerCurrent", {"Votre choix", "Your hold"}},
    // The letters of the jack, the queen and the king.
    {Txt::txtTrainerCourtCards, "txtTrainerCourtCards", {"VDR", "JQK"}},
    {Txt::txtTrainerJoker, "txtTrainerJoker", {"Joker", "Joker"}},
    {Txt::txtDecimalPoint, "txtDecimalPoint", {",", "."}},
    // The statistics window.
    {Txt::menuStatistiques, "menuStatistiques", {"S&tatistiques", "&Statistics"}},
    {Txt::txtStatsTitle, "txtStatsTitle", {"Statistiques", "Statistics"}},
    {Txt::txtStatsGame, "txtStatsGame", {"Partie en cours", "Game in progress"}},
    {Txt::txtStatsAllGames, "txtStatsAllGames", {"Toutes les parties : ", "All games: "}},
    {Txt::txtStatsDraws, "txtStatsDraws", {"Tirages joués", "Draws played"}},
    {Txt::txtStatsBet, "txtStatsBet", {"Crédits misés", "Credits bet"}},
    {Txt::txtStatsWon, "txtStatsWon", {"Crédits gagnés", "Credits won"}},
    {Txt::txtStatsReturn, "txtStatsReturn", {"Retour", "Return"}},
    {Txt::txtStatsHand, "txtStatsHand", {"Main finale", "Final hand"}},
    {Txt::txtStatsCount, "txtStatsCount", {"Nombre", "Count"}},
    {Txt::txtStatsSeen, "txtStatsSeen", {"Obtenu", "Seen"}},
    {Txt::txtStatsBestPlay, "txtStatsBestPlay", {"Meilleur jeu", "Best play"}},
    {Txt::txtStatsSuggested, "txtStatsSuggested", {"Suggestion", "Suggested"}},
    {Txt::txtStatsNothing, "txtStatsNothing", {"Rien", "Nothing"}},
    {Txt::txtStatsDoubleUp, "txtStatsDoubleUp", {"Quitte ou double", "Double up"}},
    {Txt::txtStatsOffered, "txtStatsOffered", {"Proposés", "Offered"}},
    {Txt::txtStatsTaken, "txtStatsTaken", {"Acceptés", "Taken"}},
    {Txt::txtStatsDoubleWon, "txtStatsDoubleWon", {"Gagnés", "Won"}},
    {Txt::txtStatsTied, "txtStatsTied", {"Égalités", "Tied"}},
    {Txt::txtStatsLost, "txtStatsLost", {"Perdus", "Lost"}},
    {Txt::txtStatsLargest, "txtStatsLargest", {"Plus gros gain", "Largest win"}},
    {Txt::txtStatsTrainer, "txtStatsTrainer", {"Entraîneur", "Trainer"}},
    {Txt::txtStatsDecisions, "txtStatsDecisions", {"Décisions", "Decisions"}},
    {Txt::txtStatsBestPlays, "txtStatsBestPlays", {"Meilleurs choix", "Best plays"}},
    {Txt::txtStatsAccuracy, "txtStatsAccuracy", {"Précision", "Accuracy"}},
    {Txt::txtStatsGivenAway,
     "txtStatsGivenAway",
     {"Crédits laissés en moyenne", "Expected credits given away"}},
    {Txt::txtStatsNoTrainer, "txtStatsNoTrainer", {"Entraîneur non utilisé", "Trainer not used"}},
    {Txt::txtStatsChart, "txtStatsChart", {"Crédit au fil des tirages", "Credit over the draws"}},
    {Txt::txtStatsCredit, "txtStatsCredit", {"Crédit", "Credit"}},
    {Txt::txtStatsWin, "txtStatsWin", {"Gain", "Win"}},
    {Txt::txtStatsDraw, "txtStatsDraw", {"Tirage", "Draw"}},
    {Txt::txtStatsReset, "txtStatsReset", {"Remise à zéro", "Reset"}},
    {Txt::txtStatsResetQuestion,
     "txtStatsResetQuestion",
     {"Remettre à zéro les statistiques de toutes les parties ?",
      "Reset the statistics of all games?"}},
    {Txt::txtStatsExport, "txtStatsExport", {"Exporter...", "Export..."}},
    {Txt::txtStatsCsvFiles, "txtStatsCsvFiles", {"Fichiers CSV (*.csv)", "CSV files (*.csv)"}},
    {Txt::txtStatsExportFailed,
     "txtStatsExportFailed",
     {"Impossible d'écrire le fichier ", "Cannot write the file "}},
    {Txt::txtStatsClose, "txtStatsClose", {"Fermer", "Close"}},
    {Txt::txtStatsDamaged,
     "txtStatsDamaged",
     {"Les statistiques étaient endommagées : elles repartent de zéro.",
      "The statistics were damaged: they start again from zero."}},
    // The draws' spreadsheet: its header row, and the double-up's outcomes
    // (abandon, won, tied, lost) as words of the player's language.
    {Txt::txtStatsCsvHeader,
     "txtStatsCsvHeader",
     {"tirage,mise,donne,gardées,finale,main,gain,quitte_ou_double,crédit",
      "draw,bet,dealt,holds,final,category,win,double_up,credit"}},
    {Txt::txtStatsCsvDoubleUp,
     "txtStatsCsvDoubleUp",
     {"abandon gagné égalité perdu", "quit won tied lost"}},
    // The trainer's options: the trainer itself, its warning before a costly
    // draw, and the warning's share of the best hold's value ("5 %").
    {Txt::menuEntraineur, "menuEntraineur", {"&Entraîneur", "&Trainer"}},
    {Txt::menuAvertirErreur,
     "menuAvertirErreur",
     {"&Avertir avant une erreur", "&Warn before a mistake"}},
    {Txt::menuSeuilAvertissement,
     "menuSeuilAvertissement",
     {"Seuil de l'avertissement", "Warning threshold"}},
    // The verdict after the draw: "Meilleur choix", or the cost and its unit
    // ("Écart : -0,42 crédit"), "crédit" below two, "crédits" from two on.
    {Txt::txtTrainerCredit, "txtTrainerCredit", {"crédit", "credit"}},
    {Txt::txtTrainerCost, "txtTrainerCost", {"Écart : ", "Cost: "}},
    // The tally of the game.
    {Txt::txtTrainerDecisions, "txtTrainerDecisions", {"Décisions : ", "Decisions: "}},
    {Txt::txtTrainerBestPlays, "txtTrainerBestPlays", {"Meilleurs choix : ", "Best plays: "}},
    {Txt::txtTrainerAccuracy, "txtTrainerAccuracy", {"Précision : ", "Accuracy: "}},
    {Txt::txtTrainerGivenAway,
     "txtTrainerGivenAway",
     {"Crédits abandonnés en moyenne : ", "Expected credits given away: "}},
    // "Ce choix abandonne 0,42 crédits en moyenne. Tirer quand même ?"
    {Txt::txtTrainerWarnStart,
     "txtTrainerWarnStart",
     {"Ce choix abandonne ", "This hold gives away "}},
    {Txt::txtTrainerWarnEnd,
     "txtTrainerWarnEnd",
     {" crédits en moyenne. Tirer quand même ?", " credits on average. Draw anyway?"}},
    // The double-up's exact chances: a blind pick at the offer, then against
    // the dealer's card ("contre le R de pique").
    {Txt::txtTrainerDoubleBlind,
     "txtTrainerDoubleBlind",
     {"Quitte ou double, au hasard", "Double-up, blind pick"}},
    {Txt::txtTrainerDoubleCard,
     "txtTrainerDoubleCard",
     {"Quitte ou double, contre le ", "Double-up, against the "}},
    {Txt::txtTrainerDoubleWin, "txtTrainerDoubleWin", {"Gagner : ", "Win: "}},
    {Txt::txtTrainerDoubleTie, "txtTrainerDoubleTie", {"Égalité : ", "Tie: "}},
    {Txt::txtTrainerDoubleLoss, "txtTrainerDoubleLoss", {"Perdre : ", "Loss: "}},
    {Txt::txtTrainerDoubleValue,
     "txtTrainerDoubleValue",
     {"Doubler, en moyenne : ", "Double, on average: "}},
    {Txt::txtTrainerQuitValue, "txtTrainerQuitValue", {"S'arrêter : ", "Quit: "}},
    // After a figure in percent: "46,15 %", "46.15%".
    {Txt::txtPercent, "txtPercent", {" %", "%"}},
    // A practice deal: the draw panel, the message line at the deal, and
    // after the draw "DONNE D'ENTRAÎNEMENT : Brelan. JOUER reprend la partie."
    {Txt::txtPracticeDeal, "txtPracticeDeal", {"Donne d'entraînement", "Practice deal"}},
    {Txt::txtPracticeHoldPrompt,
     "txtPracticeHoldPrompt",
     {"DONNE D'ENTRAÎNEMENT, sans mise ni gain : gardez les cartes de votre choix puis cliquez "
      "sur le bouton JOUER...",
      "PRACTICE DEAL, no bet and no win: hold the cards you choose, then click on the DEAL "
      "button..."}},
    {Txt::txtPracticeResult, "txtPracticeResult", {"DONNE D'ENTRAÎNEMENT : ", "PRACTICE DEAL: "}},
    {Txt::txtPracticeNoWin, "txtPracticeNoWin", {"aucun gain", "no win"}},
    {Txt::txtPracticeBack,
     "txtPracticeBack",
     {". JOUER reprend la partie.", ". DEAL goes back to the game."}},
    // The trainer's option that holds the best hold after each deal, and the
    // mark of the game's own suggestion among the trainer's holds.
    {Txt::menuGarderMeilleurChoix,
     "menuGarderMeilleurChoix",
     {"Garder le meilleur choix", "Hold the best play"}},
    {Txt::txtTrainerSuggested, "txtTrainerSuggested", {"suggestion du jeu", "game's suggestion"}},
};

static_assert(std::size(kTexts) == static_cast<size_t>(kTextCount));

constexpr bool rowsInKeyOrder() {
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<size_t>(kTexts[i].key) != i) return false;
    }
    return true;
}
static_assert(rowsInKeyOrder(), "the rows follow the order of Txt");

}  // namespace

std::string_view textKeyName(Txt key) {
    return kTexts[static_cast<size_t>(key)].name;
}

std::string_view textFor(Txt key, Language language) {
    if (language == Language::None) return {};
    return kTexts[static_cast<size_t>(key)].text[static_cast<size_t>(language) - 1];
}

void Texts::setLanguage(Language language) {
    language_ = language;
    for (int32_t i = 0; i < kTextCount; ++i) {
        texts_[static_cast<size_t>(i)] = std::string(textFor(static_cast<Txt>(i), language));
    }
}

}  // namespace brisko
