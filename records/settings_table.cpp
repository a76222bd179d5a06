// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/settings_table.h"

#include "contract/controls.h"

namespace brisko {

namespace {

constexpr uint32_t kDarkBlue = rgb(0, 0, 64);

std::vector<StoredValue> buildTable() {
    using enum SettingField;
    auto flag = [](const char* name, SettingField field) {
        return StoredValue{.name = name,
                           .kind = ValueKind::Binary,
                           .width = 1,
                           .field = field,
                           .defaultValue = 1,
                           .low = 0,
                           .high = 1};
    };
    auto whole = [](const char* name, SettingField field, uint32_t value, uint32_t low,
                    uint32_t high) {
        return StoredValue{.name = name,
                           .kind = ValueKind::Binary,
                           .width = 4,
                           .field = field,
                           .defaultValue = value,
                           .low = low,
                           .high = high};
    };
    std::vector<StoredValue> table = {
        flag("verif", verif),
        flag("optionDoublagePropose", optionDoublagePropose),
        flag("optionSuggestionCartes", optionSuggestionCartes),
        whole("optionCouleurFondEcran", optionCouleurFondEcran, kDarkBlue, 0, 0xFFFFFFFF),
        flag("optionBarreInfo", optionBarreInfo),
        whole("niveau", gameType, static_cast<uint32_t>(number(kDefaultGameType)), 1, kGameTypes),
        whole("optionObjectifNbTirages", targetIndex, 1, 1, kTargets),
    };
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            for (int32_t r = 1; r <= kRanks; ++r) {
                const std::string digits =
                    std::to_string(t) + std::to_string(i) + std::to_string(r);
                table.push_back({"score" + digits, ValueKind::Binary, 4, points, t, i, r});
                table.push_back({"highScoreName" + digits, ValueKind::String, 0, name, t, i, r});
            }
        }
    }
    table.push_back({"optionYourName", ValueKind::String, 0, optionYourName});
    return table;
}

}  // namespace

const std::vector<StoredValue>& storedValues() {
    static const std::vector<StoredValue> table = buildTable();
    return table;
}

uint32_t binaryField(const Settings& s, const StoredValue& v) {
    switch (v.field) {
        case SettingField::verif:
            return s.verif;
        case SettingField::optionDoublagePropose:
            return s.optionDoublagePropose;
        case SettingField::optionSuggestionCartes:
            return s.optionSuggestionCartes;
        case SettingField::optionCouleurFondEcran:
            return s.optionCouleurFondEcran;
        case SettingField::optionBarreInfo:
            return s.optionBarreInfo;
        case SettingField::gameType:
            return static_cast<uint32_t>(number(s.gameType));
        case SettingField::targetIndex:
            return static_cast<uint32_t>(s.targetIndex);
        case SettingField::points:
            return static_cast<uint32_t>(s.highScores[v.gameType][v.targetIndex][v.rank].points);
        case SettingField::name:
        case SettingField::optionYourName:
            break;
    }
    return 0;
}

void setBinaryField(Settings& s, const StoredValue& v, uint32_t bits) {
    const auto byte = static_cast<uint8_t>(bits & 0xFF);
    switch (v.field) {
        case SettingField::verif:
            s.verif = byte;
            break;
        case SettingField::optionDoublagePropose:
            s.optionDoublagePropose = byte;
            break;
        case SettingField::optionSuggestionCartes:
            s.optionSuggestionCartes = byte;
            break;
        case SettingField::optionCouleurFondEcran:
            s.optionCouleurFondEcran = bits;
            break;
        case SettingField::optionBarreInfo:
            s.optionBarreInfo = byte;
            break;
        case SettingField::gameType:
            s.gameType = static_cast<GameType>(bits);
            break;
        case SettingField::targetIndex:
            s.targetIndex = static_cast<int32_t>(bits);
            break;
        case SettingField::points:
            s.highScores[v.gameType][v.targetIndex][v.rank].points = static_cast<int32_t>(bits);
            break;
        case SettingField::name:
        case SettingField::optionYourName:
            break;
    }
}

std::string& textField(Settings& s, const StoredValue& v) {
    if (v.field == SettingField::name) return s.highScores[v.gameType][v.targetIndex][v.rank].name;
    return s.optionYourName;
}

const std::string& textField(const Settings& s, const StoredValue& v) {
    return textField(const_cast<Settings&>(s), v);
}

}  // namespace brisko
