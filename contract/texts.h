// SPDX-License-Identifier: GPL-3.0-or-later
// The French and English texts of the game, by key: the table's messages and
// captions, the game types' and the hands' names. The windows' own texts are
// in ui/window_texts.h.
#pragma once

#include <cstdint>
#include <string_view>

#include "contract/text_table.h"
#include "engine/game_type.h"

namespace brisko {

// Every text of the game's rules and table that depends on the language. The
// logic names a text by its key and never tests the language itself.
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
    txtGameType,
    txtGameTypeName1,
    txtGameTypeName2,
    txtGameTypeName3,
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
};

inline constexpr int32_t kTextCount = static_cast<int32_t>(Txt::txtPairOfKings) + 1;

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

// The text table of the running game.
using Texts = TextTable<Txt, kTextCount>;

}  // namespace brisko
