// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/settings.h"

#include <algorithm>

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
    const std::optional<StoreProblem> notice = store_.takeNotice();
    const bool damagedLines = notice && notice->kind == StoreProblem::Kind::Damaged;
    // In a file with damaged lines, a value that is not there was on one.
    std::vector<bool> unread(table.size(), false);
    std::vector<std::string> wrongType;
    size_t held = 0;
    for (size_t k = 0; k < table.size(); ++k) {
        const Read read = readValue(table[k]);
        if (read == Read::Unreadable) wrongType.push_back(table[k].name);
        unread[k] = read == Read::Unreadable || (read == Read::Absent && damagedLines);
        if (read != Read::Absent) ++held;
    }
    // Nothing of the game's: a first run.
    if (held == 0) unread.assign(table.size(), false);

    StoreProblem found;
    found.kind = StoreProblem::Kind::Damaged;
    found.path = damagedLines ? notice->path : store_.location();
    found.line = damagedLines ? notice->line : 0;
    for (size_t k = 0; k < table.size(); ++k) {
        if (!unread[k]) continue;
        const StoredValue& value = table[k];
        found.unreadable.push_back(value.name);
        // The marker of a file that holds other values counts as set.
        if (isOption(value)) {
            setBinaryField(settings, value, value.defaultValue);
            found.defaulted.push_back(value.name);
        } else if (value.field == SettingField::optionYourName) {
            settings.optionYourName.clear();
            found.defaulted.push_back(value.name);
        }
    }
    dropEntries(unread, found);
    const bool damaged = damagedLines || !found.unreadable.empty();
    if (damaged) {
        copyPending_ = true;
        reportLines_.insert(reportLines_.end(), wrongType.begin(), wrongType.end());
        noteDamage(found);
    }
    std::string message;
    holdReport_ = true;
    try {
        if (settings.verif == 0) {
            settings.verif = 1;
            if (damaged) report_->allReset = true;
            ResetSettings();
        } else if (!valid()) {
            if (damaged) report_->allReset = true;
            ResetSettings();
        } else if (damaged) {
            save();
        }
    } catch (const StoreError& error) {
        message = error.what();
    }
    holdReport_ = false;
    std::string told;
    tellReport(told);
    if (!message.empty() && !told.empty()) told += '\n';
    told += message;
    if (!told.empty()) throw StoreError(told);
}

Records::Read Records::readValue(const StoredValue& value) {
    try {
        if (value.kind == ValueKind::String) {
            // An absent string reads as empty.
            std::optional<std::string> text = store_.findString(value.name);
            textField(settings, value) = text ? std::move(*text) : std::string();
            return text ? Read::Present : Read::Absent;
        }
        uint8_t bytes[4] = {};
        const std::optional<size_t> length =
            store_.readBinaryLength(value.name, bytes, value.width);
        if (!length) return Read::Absent;
        // The game never writes another length.
        if (*length != value.width) return Read::Unreadable;
        uint32_t bits = 0;
        for (size_t k = 0; k < value.width; ++k) bits |= uint32_t{bytes[k]} << (8 * k);
        setBinaryField(settings, value, bits);
        return Read::Present;
    } catch (const StoreError&) {
        return Read::Unreadable;  // of another type
    }
}

void Records::dropEntries(const std::vector<bool>& unread, StoreProblem& report) {
    bool gone[kGameTypes + 1][kTargets + 1][kRanks + 1] = {};
    bool any = false;
    const std::vector<StoredValue>& table = storedValues();
    for (size_t k = 0; k < table.size(); ++k) {
        const StoredValue& v = table[k];
        if (!unread[k] || (v.field != SettingField::points && v.field != SettingField::name)) {
            continue;
        }
        if (!gone[v.gameType][v.targetIndex][v.rank]) {
            report.dropped.push_back({v.gameType, v.targetIndex, v.rank});
        }
        gone[v.gameType][v.targetIndex][v.rank] = true;
        any = true;
    }
    if (!any) return;
    HighScoreTable generated;
    generateHighScores(generated);
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            HighScoreList& list = settings.highScores[t][i];
            int32_t kept = 0;
            for (int32_t r = 1; r <= kRanks; ++r) {
                if (!gone[t][i][r]) list[++kept] = list[r];
            }
            // Invented entries end the list, never above the one before.
            for (int32_t r = kept + 1; r <= kRanks; ++r) {
                list[r] = generated[t][i][r];
                if (r > 1) list[r].points = std::min(list[r].points, list[r - 1].points);
            }
        }
    }
}

void Records::noteDamage(const StoreProblem& notice) {
    if (!report_) {
        report_ = notice;
        return;
    }
    // Told once: what a later load or save found joins what is not told yet.
    StoreProblem& r = *report_;
    if (r.line == 0) r.line = notice.line;
    if (!notice.copy.empty()) r.copy = notice.copy;
    for (const std::string& name : notice.unreadable) {
        if (std::find(r.unreadable.begin(), r.unreadable.end(), name) == r.unreadable.end()) {
            r.unreadable.push_back(name);
        }
    }
    for (const std::string& name : notice.defaulted) {
        if (std::find(r.defaulted.begin(), r.defaulted.end(), name) == r.defaulted.end()) {
            r.defaulted.push_back(name);
        }
    }
    for (const auto& entry : notice.dropped) {
        if (std::find(r.dropped.begin(), r.dropped.end(), entry) == r.dropped.end()) {
            r.dropped.push_back(entry);
        }
    }
}

StoreError Records::inLanguage(const StoreError& error) const {
    return StoreError(storeMessage(error, texts_.language()));
}

void Records::tellReport(std::string& message) {
    if (!report_ || holdReport_ || texts_.language() == Language::None) return;
    std::string lines;
    for (const std::string& name : reportLines_) {
        if (!lines.empty()) lines += '\n';
        lines += typeErrorMessage(name);
    }
    if (!message.empty()) message += '\n';
    message += storeMessage(StoreError(lines, *report_), texts_.language());
    report_.reset();
    reportLines_.clear();
}

void Records::save() {
    const std::vector<StoredValue>& table = storedValues();
    try {
        store_.openKey(registryKey);
        if (std::optional<StoreProblem> notice = store_.takeNotice()) noteDamage(*notice);
        if (copyPending_) {
            // Nothing that could not be read is written over before a copy
            // of it is kept.
            try {
                const std::string copy = store_.keepCopy();
                if (report_ && !copy.empty()) report_->copy = copy;
                if (report_) report_->error = 0;
                copyPending_ = false;
            } catch (const StoreError& error) {
                if (report_ && error.problem()) report_->error = error.problem()->error;
                StoreProblem problem = error.problem().value_or(StoreProblem{});
                problem.value = table.front().name;
                const std::string first = writeErrorMessage(problem.value);
                throw StoreError(first, std::move(problem));
            }
        }
        store_.beginSave();
        for (const StoredValue& value : table) {
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
        if (std::optional<StoreProblem> notice = store_.takeNotice()) noteDamage(*notice);
    } catch (const StoreError& error) {
        if (error.problem() && error.problem()->kind == StoreProblem::Kind::ReadOnly) {
            // The player's choice: said once, then the game saves nothing.
            if (readOnlyTold_) return;
            readOnlyTold_ = true;
        }
        // A file that cannot even be read is a save that failed at its first value.
        if (std::string_view(error.what()).empty() && error.problem()) {
            StoreProblem problem = *error.problem();
            problem.value = table.front().name;
            const std::string first = writeErrorMessage(problem.value);
            throw inLanguage(StoreError(first, std::move(problem)));
        }
        throw inLanguage(error);
    }
}

void Records::SaveSettings() {
    save();
    std::string message;
    tellReport(message);
    if (!message.empty()) throw StoreError(message);
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
    return valid();
}

bool Records::valid() const {
    const Settings& s = settings;
    bool valid = true;
    for (const StoredValue& value : storedValues()) {
        if (isOption(value)) valid = valid && inRange(s, value);
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const HighScoreList& list = s.highScores[t][i];
            for (int32_t r = 2; r <= kRanks; ++r)
                valid = valid && list[r].points <= list[r - 1].points;
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
