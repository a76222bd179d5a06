// SPDX-License-Identifier: GPL-3.0-or-later
// The French and English texts of the game, by key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/game_type.h"

namespace brisko {

// The player chooses at every start; None until then.
enum class Language : int32_t { None = 0, French = 1, English = 2 };

// What a language brings besides its column of texts. A new language is one
// more row here and one more column in the text table.
struct LanguageInfo {
    Language language;
    std::string_view helpFile;  // beside the program
    std::string_view qtLocale;  // the toolkit's own translations ("" for none)
    bool englishCourtCards;     // jacks, queens and kings with English faces
};

inline constexpr std::array<LanguageInfo, 2> kLanguages = {{
    {Language::French, "pokerfr.hlp", "fr", false},
    {Language::English, "pokerus.hlp", "", true},
}};
inline constexpr int32_t kLanguageCount = static_cast<int32_t>(kLanguages.size());

// The facts of a chosen language (not None).
constexpr const LanguageInfo& infoOf(Language language) {
    return kLanguages[static_cast<size_t>(language) - 1];
}

// Every text the game shows that depends on the language. The logic names a
// text by its key and never tests the language itself.
enum class Txt : int32_t {
    txtBetPrompt,
    txtHoldPrompt,
    txtDraw,
    txtHeld,
    txtBravo,
    txtBet1,
    txtBetPlus,
    txtLost,
    txtQuitWon,
    txtDoubleTo,
    txtDoubleUpPrompt,
    txtTie,
    txtWaitEndOfDraw,
    txtGameOver,
    txtBestScoreNo,
    txtNoHighScore,
    txtUnlimited,
    txtChooseGame,
    txtChangeGame,
    txtYourName,
    txtHighScore,
    txtGameType,
    txtGameTypeName1,
    txtGameTypeName2,
    txtGameTypeName3,
    txtDrawCount,
    txtUnlimitedScore,
    txtOK,
    txtCancel,
    txtEnterName,
    txtConfirmQuit,
    txtGoodbye,
    txtHandName9,
    txtHandName8,
    txtHandName7,
    txtHandName6,
    txtHandName5,
    txtHandName4,
    txtHandName3,
    txtHandName2,
    txtHandName1,
    txtPairOfAces,
    txtPairOfKings,
    menuBrisko,
    menuNewGame,
    menuChangeGame,
    menuInitHighScores,
    menuQuit,
    menuOptions,
    menuSuggestionCartes,
    menuOptionDoublage,
    menuBarreInfo,
    menuCouleurFondEcran,
    menuAide,
    menuSommaire,
    menuApropos,
    hintSBNewGame,
    hintSBChangeGame,
    hintSBAide,
    hintSBquit,
    hintSBBossKey,
    hintPanelNomJoueur,
    hintPanelScoreJoueur,
    hintPanelNiveau,
    hintPanelObjectifNbTirages,
    hintPanelNumeroTirage,
    hintPanelMise,
    hintPanelGain,
    hintPanelCredit,
    captionPanelTitreMeilleursScores,
    captionPanelQuitter,
    captionPanelAide,
    captionPanelInitScores,
    captionPanelChangeGame,
    captionPanelNewGame,
    captionButtonNoDouble,
    captionPanelQuitteOuDouble,
    captionButtonYesDouble,
    captionButtonMiseMax,
    captionButtonTirage,
    hintPanelNumero,
    hintPanelNomMeilleurScore,
    hintPanelMeilleurScore,
    questionDefaultHighScores,
    hintButtonC,
    // Accessible names and descriptions, heard through a screen reader.
    a11yValue1,
    a11yValue2,
    a11yValue3,
    a11yValue4,
    a11yValue5,
    a11yValue6,
    a11yValue7,
    a11yValue8,
    a11yValue9,
    a11yValue10,
    a11yValue11,
    a11yValue12,
    a11yValue13,
    a11ySuit1,
    a11ySuit2,
    a11ySuit3,
    a11ySuit4,
    a11yJoker,
    a11yFaceDown,
    a11yHeld,
    a11yDealerCard,
    a11yHoldButton,
    a11yPickButton,
    a11yPays,
    a11yCredits,
    a11ySeparator,
    a11yMessageLine,
    a11yDeal,
    a11yDraw,
    a11yQuitDescription,
    a11yDoubleDescription,
    a11yPlayFrench,
    a11yPlayEnglish,
    txtAboutNotice,
    txtHelpTitle,
    txtTrainer,
    txtTrainerCards,
    txtTrainerWin,
    txtTrainerPerCredit,
    txtTrainerCredits,
    txtTrainerNoCard,
    txtTrainerBest,
    txtTrainerCurrent,
    txtTrainerCourtCards,
    txtTrainerJoker,
    txtDecimalPoint,
    menuStatistiques,
    txtStatsTitle,
    txtStatsGame,
    txtStatsAllGames,
    txtStatsDraws,
    txtStatsBet,
    txtStatsWon,
    txtStatsReturn,
    txtStatsHand,
    txtStatsCount,
    txtStatsSeen,
    txtStatsBestPlay,
    txtStatsSuggested,
    txtStatsNothing,
    txtStatsDoubleUp,
    txtStatsOffered,
    txtStatsTaken,
    txtStatsDoubleWon,
    txtStatsTied,
    txtStatsLost,
    txtStatsLargest,
    txtStatsTrainer,
    txtStatsDecisions,
    txtStatsBestPlays,
    txtStatsAccuracy,
    txtStatsGivenAway,
    txtStatsNoTrainer,
    txtStatsChart,
    txtStatsCredit,
    txtStatsWin,
    txtStatsDraw,
    txtStatsReset,
    txtStatsResetQuestion,
    txtStatsExport,
    txtStatsCsvFiles,
    txtStatsExportFailed,
    txtStatsClose,
    txtStatsDamaged,
    txtStatsCsvHeader,
    txtStatsCsvDoubleUp,
    menuEntraineur,
    menuAvertirErreur,
    menuSeuilAvertissement,
    txtTrainerCredit,
    txtTrainerCost,
    txtTrainerDecisions,
    txtTrainerBestPlays,
    txtTrainerAccuracy,
    txtTrainerGivenAway,
    txtTrainerWarnStart,
    txtTrainerWarnEnd,
    txtTrainerDoubleBlind,
    txtTrainerDoubleCard,
    txtTrainerDoubleWin,
    txtTrainerDoubleTie,
    txtTrainerDoubleLoss,
    txtTrainerDoubleValue,
    txtTrainerQuitValue,
    txtPercent,
    txtPracticeDeal,
    txtPracticeHoldPrompt,
    txtPracticeResult,
    txtPracticeNoWin,
    txtPracticeBack,
    menuGarderMeilleurChoix,
    txtTrainerSuggested,
};

inline constexpr int32_t kTextCount = static_cast<int32_t>(Txt::txtTrainerSuggested) + 1;

// The hand name of a category 1..9 (Kings or Better .. Royal Flush); the keys
// run from the royal flush down, like the rows of the pay table.
constexpr Txt handNameKey(int32_t category) {
    return static_cast<Txt>(static_cast<int32_t>(Txt::txtHandName9) + 9 - category);
}

// The name of a game type: the dialog's choice and panelNiveau.
constexpr Txt gameTypeName(GameType type) {
    return static_cast<Txt>(static_cast<int32_t>(Txt::txtGameTypeName1) + number(type) - 1);
}

// The key's name as written in code, for tests and tools ("txtBetPrompt").
std::string_view textKeyName(Txt key);
// The text of a key in a language, whatever the current choice; empty for None.
std::string_view textFor(Txt key, Language language);

// The text table of the running game: every text empty until a language is
// chosen, then replaced as a whole.
class Texts {
  public:
    Language language() const { return language_; }
    void setLanguage(Language language);
    const std::string& operator[](Txt key) const { return texts_[static_cast<size_t>(key)]; }
    // The language's decimal point: ',' in French, '.' in English and before a choice.
    char decimalPoint() const {
        const std::string& point = (*this)[Txt::txtDecimalPoint];
        return point.empty() ? '.' : point[0];
    }

  private:
    Language language_ = Language::None;
    std::array<std::string, kTextCount> texts_{};
};

}  // namespace brisko
