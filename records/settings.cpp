// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/settings.h"

#include "records/registry.h"
#include "records/settings_table.h"
#include "records/store_messages.h"

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

Records::Records(SettingsStore& store, RandomSource& random, const Texts& texts)
    : targetDraws(kTargetDraws), store_(store), random_(random), texts_(texts) {}

void Records::LoadSettings() {
    targetDraws = kTargetDraws;
    const std::vector<StoredValue>& table = storedValues();
    try {
        store_.openKey(registryKey);
    } catch (const StoreError& error) {
        // Nothing could be read: the game goes on with what it holds, its
        // options inside their range.
        for (const StoredValue& value : table) {
            if (isOption(value) && !inRange(settings, value)) {
                setBinaryField(settings, value, value.defaultValue);
            }
        }
        throw inLanguage(error);
    }
    if (std::optional<StoreProblem> notice = store_.takeNotice()) notice_ = std::move(notice);
    unread_.assign(table.size(), false);
    std::string message;
    for (size_t k = 0; k < table.size(); ++k) {
        try {
            readValue(table[k]);
        } catch (const StoreError& error) {
            // Counted as absent; an option outside its range would stop the
            // game, so it takes its default.
            unread_[k] = true;
            if (isOption(table[k])) setBinaryField(settings, table[k], table[k].defaultValue);
            if (!message.empty()) message += '\n';
            message += error.what();
        }
    }
    loadedAs_ = settings;
    if (settings.verif == 0) {
        settings.verif = 1;
        ResetSettings();
    }
    if (!valid(true)) ResetSettings();
    tellNotice(message);
    if (!message.empty()) throw StoreError(message);
}

void Records::readValue(const StoredValue& value) {
    if (value.kind == ValueKind::String) {
        textField(settings, value) = store_.readString(value.name);
        return;
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

bool Records::keptUnread(size_t index) const {
    if (index >= unread_.size() || !unread_[index]) return false;
    const StoredValue& value = storedValues()[index];
    if (value.kind == ValueKind::String) {
        return textField(settings, value) == textField(loadedAs_, value);
    }
    return binaryField(settings, value) == binaryField(loadedAs_, value);
}

StoreError Records::inLanguage(const StoreError& error) const {
    return StoreError(storeMessage(error, texts_.language()));
}

void Records::tellNotice(std::string& message) {
    if (!notice_ || texts_.language() == Language::None) return;
    if (!message.empty()) message += '\n';
    message += describeStoreProblem(*notice_, texts_.language());
    notice_.reset();
}

void Records::SaveSettings() {
    const std::vector<StoredValue>& table = storedValues();
    try {
        store_.openKey(registryKey);
        if (std::optional<StoreProblem> notice = store_.takeNotice()) notice_ = std::move(notice);
        store_.beginSave();
        for (size_t k = 0; k < table.size(); ++k) {
            const StoredValue& value = table[k];
            if (keptUnread(k)) continue;
            if (value.kind == ValueKind::String) {
                store_.writeString(value.name, textField(settings, value));
                continue;
            }
            const uint32_t bits = binaryField(settings, value);
            uint8_t bytes[4];
            for (size_t b = 0; b < value.width; ++b) bytes[b] = (bits >> (8 * b)) & 0xFF;
            store_.writeBinary(value.name, bytes, value.width);
        }
        store_.commitSave();
        if (std::optional<StoreProblem> notice = store_.takeNotice()) notice_ = std::move(notice);
    } catch (const StoreError& error) {
        // A file that cannot even be read is a save that failed at its first value.
        if (std::string_view(error.what()).empty() && error.problem()) {
            size_t first = 0;
            while (first + 1 < table.size() && keptUnread(first)) ++first;
            throw inLanguage(StoreError(writeErrorMessage(table[first].name), *error.problem()));
        }
        throw inLanguage(error);
    }
    // What was written is read from now on.
    for (size_t k = 0; k < unread_.size(); ++k) unread_[k] = unread_[k] && keptUnread(k);
    std::string message;
    tellNotice(message);
    if (!message.empty()) throw StoreError(message);
}

void Records::ResetSettings() {
    // Every option, the marker included: a stored marker other than 0 and 1
    // would otherwise fail every later check and wipe the best scores at
    // every start. A reset writes every value.
    unread_.clear();
    for (const StoredValue& value : storedValues()) {
        if (isOption(value)) setBinaryField(settings, value, value.defaultValue);
    }
    MakeDefaultHighScores();
    settings.optionYourName.clear();
    SaveSettings();
}

bool Records::SettingsValid() const {
    return valid(false);
}

bool Records::valid(bool skipUnread) const {
    const Settings& s = settings;
    bool valid = true;
    // Points a load could not read take no part in the order of their list:
    // a score of the wrong type must not renew every list.
    bool unread[kGameTypes + 1][kTargets + 1][kRanks + 1] = {};
    const std::vector<StoredValue>& table = storedValues();
    for (size_t k = 0; k < table.size(); ++k) {
        const StoredValue& value = table[k];
        if (isOption(value)) valid = valid && inRange(s, value);
        if (skipUnread && value.field == SettingField::points && keptUnread(k)) {
            unread[value.gameType][value.targetIndex][value.rank] = true;
        }
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const HighScoreList& list = s.highScores[t][i];
            for (int32_t r = 2; r <= kRanks; ++r) {
                if (unread[t][i][r] || unread[t][i][r - 1]) continue;
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

}  // namespace brisko
