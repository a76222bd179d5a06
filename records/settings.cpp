// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/settings.h"

#include "records/settings_table.h"

namespace brisko {

std::string registryKeyOf(std::string_view productTitle) {
    return "Software\\Caldimo\\" + std::string(productTitle) + "\\";
}

namespace {

bool inRange(const Settings& settings, const StoredValue& value) {
    const uint32_t bits = binaryField(settings, value);
    return bits >= value.low && bits <= value.high;
}

}  // namespace

Records::Records(SettingsStore& store, RandomSource& random, const Texts& texts, RecordsView& view)
    : targetDraws(kTargetDraws), store_(store), random_(random), texts_(texts), view_(view) {}

void Records::LoadSettings() {
    targetDraws = kTargetDraws;
    store_.openKey(registryKey);
    // A damaged file has been set aside: there is nothing to read, and what
    // the program holds is kept (all zero at the first load of a run, which
    // therefore resets). It is reported once the load is over.
    const std::string notice = store_.takeNotice();
    try {
        for (const StoredValue& value : storedValues()) {
            if (!notice.empty()) break;
            if (value.kind == ValueKind::String) {
                textField(settings, value) = store_.readString(value.name);
                continue;
            }
            // A shorter value fills only the first bytes of the field.
            const uint32_t before = binaryField(settings, value);
            uint8_t bytes[4];
            for (size_t k = 0; k < value.width; ++k) bytes[k] = (before >> (8 * k)) & 0xFF;
            store_.readBinary(value.name, bytes, value.width);
            uint32_t bits = 0;
            for (size_t k = 0; k < value.width; ++k) bits |= uint32_t{bytes[k]} << (8 * k);
            setBinaryField(settings, value, bits);
        }
    } catch (const StoreError&) {
        // The load stops at the bad value; what was read stays, but nothing
        // that would index outside the game's tables.
        UseDefaultsOutsideRange();
        throw;
    }
    bool written = false;
    if (settings.verif == 0) {
        settings.verif = 1;
        ResetSettings();
        written = true;
    }
    if (!SettingsValid()) {
        ResetSettings();
        written = true;
    }
    ApplyOptions();
    if (!notice.empty()) {
        if (!written) SaveSettings();
        throw StoreError(notice);
    }
}

void Records::UseDefaultsOutsideRange() {
    for (const StoredValue& value : storedValues()) {
        if (isOption(value) && !inRange(settings, value)) {
            setBinaryField(settings, value, value.defaultValue);
        }
    }
}

void Records::SaveSettings() {
    store_.openKey(registryKey);
    std::string notice = store_.takeNotice();
    store_.beginSave();
    for (const StoredValue& value : storedValues()) {
        if (value.kind == ValueKind::String) {
            store_.writeString(value.name, textField(settings, value));
            continue;
        }
        const uint32_t bits = binaryField(settings, value);
        uint8_t bytes[4];
        for (size_t k = 0; k < value.width; ++k) bytes[k] = (bits >> (8 * k)) & 0xFF;
        store_.writeBinary(value.name, bytes, value.width);
    }
    store_.commitSave();
    // A damaged file met on the way has been set aside; the settings are
    // written all the same, and then the damage is reported.
    if (notice.empty()) notice = store_.takeNotice();
    if (!notice.empty()) throw StoreError(notice);
}

void Records::ResetSettings() {
    // Every option, the marker included: a stored marker other than 0 and 1
    // would otherwise fail every later check and wipe the best scores at
    // every start.
    for (const StoredValue& value : storedValues()) {
        if (isOption(value)) setBinaryField(settings, value, value.defaultValue);
    }
    MakeDefaultHighScores();
    settings.optionYourName.clear();
    SaveSettings();
}

bool Records::SettingsValid() const {
    const Settings& s = settings;
    bool valid = true;
    for (const StoredValue& value : storedValues()) {
        if (isOption(value)) valid = valid && inRange(s, value);
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const HighScoreList& list = s.highScores[t][i];
            for (int32_t r = 2; r <= kRanks; ++r) {
                valid = valid && list[r].points <= list[r - 1].points;
            }
        }
    }
    return valid;
}

void Records::chooseGame(int32_t gameType, int32_t targetIndex, const std::string& name) {
    if (isGameType(gameType)) settings.gameType = static_cast<GameType>(gameType);
    if (targetIndex >= 1 && targetIndex <= kTargets) settings.targetIndex = targetIndex;
    settings.optionYourName = name;
    SaveSettings();
}

void Records::ApplyOptions() {
    view_.showOptions(settings);
}

void Records::menuSuggestionCartesClick(const std::function<void(bool on)>& switched) {
    settings.optionSuggestionCartes = settings.optionSuggestionCartes != 0 ? 0 : 1;
    switched(settings.optionSuggestionCartes != 0);
    ApplyOptions();
    SaveSettings();
}

void Records::menuOptionDoublageClick(bool doubleUpActive) {
    if (settings.optionDoublagePropose == 0) {
        settings.optionDoublagePropose = 1;
    } else if (doubleUpActive) {
        view_.showMessage(texts_[Txt::txtWaitEndOfDraw]);
    } else {
        settings.optionDoublagePropose = 0;
    }
    ApplyOptions();
    SaveSettings();
}

void Records::menuBarreInfoClick() {
    settings.optionBarreInfo = settings.optionBarreInfo == 0 ? 1 : 0;
    ApplyOptions();
    SaveSettings();
}

void Records::menuCouleurFondEcranClick() {
    uint32_t chosen = settings.optionCouleurFondEcran;
    if (view_.chooseColour(settings.optionCouleurFondEcran, chosen)) {
        settings.optionCouleurFondEcran = chosen;
    }
    ApplyOptions();
    SaveSettings();
}

bool Records::QuitGame() {
    try {
        SaveSettings();
    } catch (const StoreError& error) {
        view_.showMessage(error.what());
    }
    if (!view_.askYesNo(texts_[Txt::txtConfirmQuit])) return false;
    view_.showMessage(texts_[Txt::txtGoodbye]);
    return true;
}

}  // namespace brisko
