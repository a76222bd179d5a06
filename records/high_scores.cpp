#include <exception>
#include <string>

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

// base / 8 rounded to the nearest integer, an exact half to the even one.
int32_t eighthRoundedHalfEven(int32_t base) {
    const int32_t quotient = base / 8;
    const int32_t remainder = base % 8;
    if (remainder > 4 || (remainder == 4 && quotient % 2 != 0)) return quotient + 1;
    return quotient;
}

// "panelNumero" and 3 give "panelNumero3".
std::string row(std::string_view prefix, int32_t rank) {
    std::string name(prefix);
    name += std::to_string(rank);
    return name;
}

}  // namespace

int32_t defaultHighScoreStep(int32_t base) {
    return eighthRoundedHalfEven(base);
}

int32_t defaultHighScoreBase(int32_t gameType, int32_t targetIndex, int32_t draws) {
    int32_t base = 4300 - 1000 * gameType;
    if (targetIndex == kUnlimitedTarget) {
        if (gameType == 1) base += 5000;
        if (gameType == 3) base = 2200;
        return base;
    }
    if (gameType == 1) base += 100 * draws;
    if (gameType == 2) base += 20 * draws;
    return base;
}

HighScoreList& Records::currentList() {
    return settings.highScores.at(static_cast<size_t>(settings.gameType))
        .at(static_cast<size_t>(settings.targetIndex));
}

void Records::MakeDefaultHighScores() {
    HighScoreTable& table = settings.highScores;
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
            const int32_t base = defaultHighScoreBase(t, i, targetDraws[i]);
            const int32_t step = defaultHighScoreStep(base);
            HighScoreList& list = table[t][i];
            list[1].points = base + random_.randomFrom(499);
            for (int32_t r = 2; r <= kRanks; ++r) {
                list[r].points = list[r - 1].points - step - random_.randomFrom(step);
            }
        }
    }
    SaveSettings();
}

void Records::ConfirmDefaultHighScores() {
    // The question follows the language itself.
    const int32_t language =
        texts_.language() == kLanguageEnglish ? kLanguageEnglish : kLanguageFrench;
    if (!view_.askYesNo(std::string(textFor(Txt::questionDefaultHighScores, language)))) return;
    MakeDefaultHighScores();
    ShowHighScores(0);
}

void Records::ShowHighScores(int32_t highlight) {
    static constexpr Colour kGrey = rgb(128, 128, 128);
    const HighScoreList& list = currentList();
    for (int32_t r = 1; r <= kRanks; ++r) {
        view_.setCaption(row("panelNomMeilleurScore", r), list[r].name);
        view_.setCaption(row("panelMeilleurScore", r), std::to_string(list[r].points));
    }
    if (highlight >= 1 && highlight <= kRanks) {
        for (const char* prefix : {"panelNumero", "panelNomMeilleurScore", "panelMeilleurScore"}) {
            view_.setColour(row(prefix, highlight), kRed);
        }
    } else if (highlight == 0) {
        for (int32_t r = 1; r <= kRanks; ++r) {
            const Colour colour = r % 2 == 1 ? kSilver : kGrey;
            for (const char* prefix :
                 {"panelNumero", "panelNomMeilleurScore", "panelMeilleurScore"}) {
                view_.setColour(row(prefix, r), colour);
            }
        }
    }
}

int32_t Records::InsertHighScore(int32_t score) {
    HighScoreList& list = currentList();
    if (score <= list[kRanks].points) return 0;
    int32_t p = 1;
    for (int32_t r = kRanks - 1; r >= 1; --r) {
        if (list[r].points >= score) {
            p = r + 1;
            break;
        }
    }
    for (int32_t r = kRanks - 1; r >= p; --r) list[r + 1] = list[r];
    list[p] = HighScoreEntry{score, settings.optionYourName};
    ShowHighScores(p);
    // The entry is in the list whether or not the store takes it: the player
    // is congratulated, then told about the store.
    std::exception_ptr saveError;
    try {
        SaveSettings();
    } catch (const StoreError&) {
        saveError = std::current_exception();
    }
    view_.setCaption("panelBravoHighScore", "BRAVO " + settings.optionYourName + ", " +
                                                texts_[Txt::txtBestScoreNo] + std::to_string(p) +
                                                " : " + std::to_string(score));
    view_.setVisible("panelBravoHighScore", true);
    if (saveError) std::rethrow_exception(saveError);
    return p;
}

}  // namespace brisko
