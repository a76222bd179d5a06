// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "contract/texts.h"
#include "engine/game_type.h"

namespace brisko {
namespace {

TEST(TextTable, EveryKeyHasAFrenchAndAnEnglishText) {
    for (int32_t i = 0; i < kTextCount; ++i) {
        const Txt key = static_cast<Txt>(i);
        EXPECT_FALSE(textFor(key, Language::French).empty()) << textKeyName(key);
        EXPECT_FALSE(textFor(key, Language::English).empty()) << textKeyName(key);
        EXPECT_FALSE(textKeyName(key).empty()) << i;
    }
}

TEST(TextTable, AllTextsEmptyUntilALanguageIsChosen) {
    Texts texts;
    EXPECT_EQ(texts.language(), Language::None);
    for (int32_t i = 0; i < kTextCount; ++i) {
        EXPECT_TRUE(texts[static_cast<Txt>(i)].empty()) << textKeyName(static_cast<Txt>(i));
    }
}

TEST(TextTable, ChoosingALanguageFillsEveryKey) {
    for (Language language : {Language::French, Language::English}) {
        Texts texts;
        texts.setLanguage(language);
        EXPECT_EQ(texts.language(), language);
        for (int32_t i = 0; i < kTextCount; ++i) {
            const Txt key = static_cast<Txt>(i);
            EXPECT_EQ(texts[key], textFor(key, language)) << textKeyName(key);
        }
    }
}

TEST(TextTable, FrenchBetPromptHasOneLineFeedBetweenItsSentences) {
    const std::string text(textFor(Txt::txtBetPrompt, Language::French));
    EXPECT_EQ(text,
              "Faites vos enchères (boutons MISE 1 ou MISE + et MISE 20).\n"
              "Appuyez ensuite sur le bouton JOUER.");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    EXPECT_EQ(textFor(Txt::txtBetPrompt, Language::English),
              "Bet ! (button BET 1 or BET + and BET 20) then click on the DEAL button!");
}

TEST(TextTable, CaptionPrefixesKeepTheirTrailingBlank) {
    EXPECT_EQ(textFor(Txt::txtQuitWon, Language::French), "&Quitte, Gain : ");
    EXPECT_EQ(textFor(Txt::txtQuitWon, Language::English), "&Quits, Won : ");
    EXPECT_EQ(textFor(Txt::txtDoubleTo, Language::French), "&Doubler à : ");
    EXPECT_EQ(textFor(Txt::txtDoubleTo, Language::English), "&Double up to : ");
}

TEST(TextTable, TextsWithAccentsAndPunctuationAreExact) {
    struct Case {
        Txt key;
        const char* french;
        const char* english;
    };
    const Case cases[] = {
        {Txt::txtHoldPrompt,
         "Cliquez sur les boutons en dessous des cartes (ou sur les cartes elles-mêmes) "
         "pour les garder ou les remplacer puis sur le bouton JOUER...",
         "Click on the buttons below the cards (or just on the cards) to hold or throw them. "
         "Then click on the DEAL button..."},
        {Txt::txtDraw, "Tirage", "Draw"},
        {Txt::txtHeld, "GARDE", "HELD"},
        {Txt::txtBravo, "BRAVO", "YEAH"},
        {Txt::txtBet1, "MISE 1", "BET 1"},
        {Txt::txtBetPlus, "MISE +", "BET +"},
        {Txt::txtLost, "PERDU !!!", "YOU LOSE !!!"},
        {Txt::txtDoubleUpPrompt, "Vous devez tirez une carte parmi les 4 cartes proposées...",
         "Please choose a card among the 4 cards below..."},
        {Txt::txtTie, "Egalité, on recommence ?", "Tied, try again ?"},
        {Txt::txtWaitEndOfDraw, "Attendez de finir ce tirage pour desactiver l'option de doublage",
         "Please wait for the end of the draw if you want to change this option"},
        {Txt::txtGameOver, "FIN DE LA PARTIE. APPUYEZ SUR LA TOUCHE F2 OU F3 POUR REJOUER",
         "PRESS THE KEY F2 OR F3 TO START A NEW GAME"},
        {Txt::txtBestScoreNo, "meilleur score #", "best score #"},
        {Txt::txtNoHighScore, "Malheureusement, vous n'avez pas réalisé de meilleur score...",
         "Unfortunately, you didn't get a high score..."},
        {Txt::txtUnlimited, "Illimité", "Unlimited"},
        {Txt::txtGameTypeName1, "Joker à chaque tirage", "ALWAYS A JOKER"},
        {Txt::txtGameTypeName2, "Joker possible", "WITH JOKER"},
        {Txt::txtGameTypeName3, "Sans Joker", "WITHOUT JOKER"},
        {Txt::txtHandName7, "Carré", "Four of a Kind"},
        {Txt::txtPairOfAces, "Paire d'As", "Pair of Aces"},
        {Txt::txtPairOfKings, "Paire de Rois", "Pair of Kings"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textFor(c.key, Language::French), c.french) << textKeyName(c.key);
        EXPECT_EQ(textFor(c.key, Language::English), c.english) << textKeyName(c.key);
    }
}

TEST(TextTable, HandNamesFollowTheCategories) {
    EXPECT_EQ(textFor(handNameKey(9), Language::French), "Flush royal");
    EXPECT_EQ(textFor(handNameKey(8), Language::English), "Straight Flush");
    EXPECT_EQ(textFor(handNameKey(8), Language::French), "QuinteFlush");
    EXPECT_EQ(textFor(handNameKey(1), Language::French), "Rois ou mieux");
    EXPECT_EQ(textFor(handNameKey(2), Language::English), "Two Pairs");
    EXPECT_EQ(textFor(gameTypeName(GameType::NoJoker), Language::French), "Sans Joker");
}

}  // namespace
}  // namespace brisko
