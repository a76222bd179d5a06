// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/game_choice.h"

namespace brisko {

GameChoice storedChoice(const Settings& settings) {
    return {number(settings.gameType), settings.targetIndex, settings.optionYourName};
}

const HighScoreEntry* bestEntryOf(const Settings& settings, int32_t gameType, int32_t targetIndex) {
    if (!isGameType(gameType) || targetIndex < 1 || targetIndex > kTargets) return nullptr;
    return &settings.highScores[size_t(gameType)][size_t(targetIndex)][1];
}

}  // namespace brisko
