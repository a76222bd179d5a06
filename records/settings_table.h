// SPDX-License-Identifier: GPL-3.0-or-later
// The 188 stored values of the settings, once, in the order they are loaded
// and saved: the load, the save and the tests all read this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/settings.h"

namespace brisko {

enum class ValueKind { Binary, String };

enum class SettingField {
    verif,
    optionDoublagePropose,
    optionSuggestionCartes,
    optionCouleurFondEcran,
    optionBarreInfo,
    gameType,
    targetIndex,
    points,  // highScores[gameType][targetIndex][rank].points
    name,    // highScores[gameType][targetIndex][rank].name
    optionYourName,
};

struct StoredValue {
    std::string name;  // "verif", "score111", "highScoreName365", ...
    ValueKind kind;
    size_t width;  // bytes of a binary value: 1 or 4; 0 for a string
    SettingField field;
    int32_t gameType = 0, targetIndex = 0, rank = 0;  // for points and name
    // An option's value after a reset, and the values a valid store may hold
    // (low..high); a value outside them resets the settings.
    uint32_t defaultValue = 0;
    uint32_t low = 0;
    uint32_t high = 0xFFFFFFFF;
};

// The options and the game choice: the binary values other than the points.
inline bool isOption(const StoredValue& value) {
    return value.kind == ValueKind::Binary && value.field != SettingField::points;
}

inline constexpr size_t kStoredValueCount = 188;

// The table, built once.
const std::vector<StoredValue>& storedValues();

// A binary field's value, zero-extended (a 1-byte field yields 0..255).
uint32_t binaryField(const Settings& settings, const StoredValue& value);
// Sets a binary field from the low `width` bytes of `bits`.
void setBinaryField(Settings& settings, const StoredValue& value, uint32_t bits);
std::string& textField(Settings& settings, const StoredValue& value);
const std::string& textField(const Settings& settings, const StoredValue& value);

}  // namespace brisko
