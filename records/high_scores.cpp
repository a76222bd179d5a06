// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>
#include <string>

#include "engine/rounding.h"
#include "records/settings.h"

namespace brisko {

namespace {

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace

int32_t defaultHighScoreStep(int32_t base) {
    return static_cast<int32_t>(roundHalfEven(base, 8));
}

int32_t defaultHighScoreBase(GameType gameType, int32_t targetIndex, int32_t draws) {
    const GameTypeRules& rules = rulesOf(gameType);
    if (targetIndex == kUnlimitedTarget) return rules.unlimitedHighScoreBase;
    return rules.highScoreBase + rules.highScorePerDraw * draws;
}

HighScoreList& Records::currentList() {
    return settings.highScores.at(static_cast<size_t>(number(settings.gameType)))
        .at(static_cast<size_t>(settings.targetIndex));
}

const HighScoreList& Records::list(GameType gameType, int32_t targetIndex) const {
    return settings.highScores.at(static_cast<size_t>(number(gameType)))
        .at(static_cast<size_t>(targetIndex));
}

void Records::MakeDefaultHighScores() {
    generateHighScores(settings.highScores);
    SaveSettings();
}

void Records::generateHighScores(HighScoreTable& table) {
    // Every name is drawn before the first points.
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            for (int32_t r = 1; r <= kRanks; ++r) {
                table[t][i][r].name = asciiUpper(defaultNames[random_.randomFrom(10)]);
            }
        }
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const int32_t base = defaultHighScoreBase(static_cast<GameType>(t), i, targetDraws[i]);
            const int32_t step = defaultHighScoreStep(base);
            HighScoreList& list = table[t][i];
            list[1].points = base + random_.randomFrom(499);
            for (int32_t r = 2; r <= kRanks; ++r) {
                list[r].points = list[r - 1].points - step - random_.randomFrom(step);
            }
        }
    }
}

int32_t Records::InsertHighScore(int32_t score, std::exception_ptr* saveError) {
    return InsertHighScore(settings.gameType, settings.targetIndex, settings.optionYourName, score,
                           saveError);
}

int32_t Records::InsertHighScore(GameType gameType, int32_t targetIndex, const std::string& name,
                                 int32_t score, std::exception_ptr* saveError) {
    HighScoreList& list = settings.highScores.at(static_cast<size_t>(number(gameType)))
                              .at(static_cast<size_t>(targetIndex));
    if (score <= list[kRanks].points) return 0;
    int32_t p = 1;
    for (int32_t r = kRanks - 1; r >= 1; --r) {
        if (list[r].points >= score) {
            p = r + 1;
            break;
        }
    }
    for (int32_t r = kRanks - 1; r >= p; --r) list[r + 1] = list[r];
    list[p] = HighScoreEntry{score, name};
    // The entry is in the list whether or not the store takes it.
    if (saveError == nullptr) {
        SaveSettings();
        return p;
    }
    try {
        SaveSettings();
    } catch (const StoreError&) {
        *saveError = std::current_exception();
    }
    return p;
}

}  // namespace brisko
