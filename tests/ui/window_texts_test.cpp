// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/window_texts.h"

namespace brisko {
namespace {

TEST(WindowTextTable, EveryKeyHasAFrenchAndAnEnglishText) {
    for (int32_t i = 0; i < kWindowTextCount; ++i) {
        const WindowTxt key = static_cast<WindowTxt>(i);
        EXPECT_FALSE(textFor(key, Language::French).empty()) << textKeyName(key);
        EXPECT_FALSE(textFor(key, Language::English).empty()) << textKeyName(key);
        EXPECT_FALSE(textKeyName(key).empty()) << i;
    }
}

TEST(WindowTextTable, AllTextsEmptyUntilALanguageIsChosen) {
    WindowTexts texts;
    EXPECT_EQ(texts.language(), Language::None);
    for (int32_t i = 0; i < kWindowTextCount; ++i) {
        EXPECT_TRUE(texts[static_cast<WindowTxt>(i)].empty())
            << textKeyName(static_cast<WindowTxt>(i));
    }
}

TEST(WindowTextTable, ChoosingALanguageFillsEveryKey) {
    for (Language language : {Language::French, Language::English}) {
        WindowTexts texts;
        texts.setLanguage(language);
        EXPECT_EQ(texts.language(), language);
        for (int32_t i = 0; i < kWindowTextCount; ++i) {
            const WindowTxt key = static_cast<WindowTxt>(i);
            EXPECT_EQ(texts[key], textFor(key, language)) << textKeyName(key);
        }
    }
}

TEST(WindowTextTable, CaptionPrefixesKeepTheirTrailingBlank) {
    EXPECT_EQ(textFor(WindowTxt::captionButtonMiseMax, Language::French), "MISE ");
    EXPECT_EQ(textFor(WindowTxt::captionButtonMiseMax, Language::English), "BET ");
    EXPECT_EQ(textFor(WindowTxt::hintPanelNumero, Language::French), "Numéro ");
    EXPECT_EQ(textFor(WindowTxt::hintPanelNumero, Language::English), "Position #");
    EXPECT_EQ(textFor(WindowTxt::hintPanelNomMeilleurScore, Language::French),
              "Nom du meilleur joueur numéro ");
    EXPECT_EQ(textFor(WindowTxt::hintPanelNomMeilleurScore, Language::English), "Best player #");
    EXPECT_EQ(textFor(WindowTxt::hintPanelMeilleurScore, Language::French),
              "Score du meilleur joueur numéro ");
    EXPECT_EQ(textFor(WindowTxt::hintPanelMeilleurScore, Language::English),
              "Score of the best player #");
}

TEST(WindowTextTable, TextsWithAccentsAndPunctuationAreExact) {
    struct Case {
        WindowTxt key;
        const char* french;
        const char* english;
    };
    const Case cases[] = {
        {WindowTxt::txtUnlimitedScore, "Illimité : Score=(Credit+2000)x100/(nombreDeTirages+100)",
         "Unlimited : Score=(points+2000)x100/(numberOfDraws+100)"},
        {WindowTxt::txtConfirmQuit, "Voulez-vous vraiment arrêter ?",
         "Do you really want to quit ?"},
        {WindowTxt::txtGoodbye, "A bientôt !!!", "See you !!!"},
        {WindowTxt::hintSBBossKey, "V'là l'boss !", "Boss key !"},
        {WindowTxt::menuCouleurFondEcran, "&Couleur du fond d'écran", "&Background screen color"},
        {WindowTxt::captionPanelInitScores, "Re-créer les scores", "INIT HIGH SCORES"},
        {WindowTxt::questionDefaultHighScores,
         "Voulez-vous réellement remettre les meilleurs scores par défaut ?",
         "Do you really want to set default high scores ?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textFor(c.key, Language::French), c.french) << textKeyName(c.key);
        EXPECT_EQ(textFor(c.key, Language::English), c.english) << textKeyName(c.key);
    }
}

// The panel and the statistics call the credits given away by one name.
TEST(WindowTextTable, PanelAndStatisticsNameTheCreditsGivenAwayAlike) {
    for (Language language : {Language::French, Language::English}) {
        std::string panel(textFor(WindowTxt::txtTrainerGivenAway, language));
        panel.erase(panel.find_last_not_of(" :") + 1);
        EXPECT_EQ(panel, textFor(WindowTxt::txtStatsGivenAway, language));
    }
}

// The help's sections on the trainer, the statistics, the strategy chart and
// the review quote the game's own words: a text changed in the table must be
// changed in the help as well.
TEST(WindowTextTable, HelpFilesQuoteTheTrainerAndStatisticsTexts) {
    using enum WindowTxt;
    // clang-format off
    const WindowTxt quoted[] = {
        menuEntraineur, menuAvertirErreur, menuSeuilAvertissement,
        menuStatistiques,
        txtTrainer, txtTrainerCards, txtTrainerWin, txtTrainerPerCredit,
        txtTrainerNoCard, txtTrainerBest, txtTrainerCost,
        txtTrainerDecisions, txtTrainerBestPlays, txtTrainerAccuracy,
        txtTrainerGivenAway, txtTrainerWarnStart, txtTrainerWarnEnd,
        txtTrainerDoubleBlind, txtTrainerDoubleCard, txtTrainerDoubleWin,
        txtTrainerDoubleTie, txtTrainerDoubleLoss, txtTrainerDoubleValue,
        txtTrainerQuitValue,
        txtStatsTitle, txtStatsGame, txtStatsAllGames, txtStatsDraws,
        txtStatsBet, txtStatsWon, txtStatsReturn, txtStatsCount,
        txtStatsSeen, txtStatsBestPlay, txtStatsSuggested, txtStatsNothing,
        txtStatsDoubleUp, txtStatsOffered, txtStatsTaken, txtStatsDoubleWon,
        txtStatsTied, txtStatsLost, txtStatsLargest, txtStatsTrainer,
        txtStatsDecisions, txtStatsBestPlays, txtStatsAccuracy,
        txtStatsGivenAway, txtStatsChart, txtStatsExport, txtStatsReset,
        txtStatsResetQuestion, txtStatsClose,
        menuStrategie, txtStrategyPrint, txtStrategyPdf, txtStrategyMaking,
        txtTrainerChartLine, txtTrainerSuggested, menuRevueErreurs, txtReviewOpen,
        txtReviewDraw, txtReviewDeal, txtReviewHeld, txtReviewBest, txtReviewCost,
        txtReviewLine, txtReviewNone, txtReviewPractise, txtReviewWait,
        menuGarderMeilleurChoix, menuMarquerMeilleurChoix};
    // clang-format on
    for (const auto& [language, file] :
         {std::pair{Language::French, "pokerfr.hlp"}, {Language::English, "pokerus.hlp"}}) {
        std::ifstream in(std::string(BRISKO_SOURCE_DIR) + "/assets/" + file, std::ios::binary);
        std::ostringstream read;
        read << in.rdbuf();
        const std::string help = read.str();
        ASSERT_FALSE(help.empty()) << file;
        for (WindowTxt key : quoted) {
            // As the window shows it: no menu accelerator, no blank or colon
            // around it (the help puts its own).
            std::string text(textFor(key, language));
            text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
            text.erase(0, text.find_first_not_of(' '));
            text.erase(text.find_last_not_of(" :") + 1);
            EXPECT_NE(help.find(text), std::string::npos) << file << ": " << textKeyName(key);
        }
    }
}

}  // namespace
}  // namespace brisko
