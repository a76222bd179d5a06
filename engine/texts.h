// The French and English texts of the game, by key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brisko {

inline constexpr int32_t kLanguageNone = 0;
inline constexpr int32_t kLanguageFrench = 1;
inline constexpr int32_t kLanguageEnglish = 2;

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
};

inline constexpr int32_t kTextCount = static_cast<int32_t>(Txt::hintButtonC) + 1;

// The hand name of a category 1..9 (Kings or Better .. Royal Flush); the keys
// run from the royal flush down, like the rows of the pay table.
constexpr Txt handNameKey(int32_t category) {
    return static_cast<Txt>(static_cast<int32_t>(Txt::txtHandName9) + 9 - category);
}
// The name of game type 1..3.
constexpr Txt gameTypeNameKey(int32_t gameType) {
    return static_cast<Txt>(static_cast<int32_t>(Txt::txtGameTypeName1) + gameType - 1);
}

// The key's name as written in code, for tests and tools ("txtBetPrompt").
std::string_view textKeyName(Txt key);
// The text of a key in a language 1 or 2, whatever the current choice.
std::string_view textFor(Txt key, int32_t language);

// The text table of the running game: every text empty until a language is
// chosen, then replaced as a whole.
class Texts {
  public:
    int32_t language() const { return language_; }
    void setLanguage(int32_t language);
    const std::string& operator[](Txt key) const { return texts_[static_cast<size_t>(key)]; }

  private:
    int32_t language_ = kLanguageNone;
    std::array<std::string, kTextCount> texts_{};
};

}  // namespace brisko
