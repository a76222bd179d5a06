// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's options, kept in the store beside the game's own values but
// apart from them: each reads alone, a bad one takes its default without
// touching the others, none takes part in the check or the reset of the
// game's values, and each is written only when the player switches it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "contract/texts.h"
#include "records/store.h"

namespace brisko {

// The shares of the best hold's value, in percent, that the warning may be
// set to; the first is the default.
inline constexpr std::array<uint8_t, 3> kWarnShares = {5, 10, 20};

struct ExtraOptions {
    bool trainer = false;                // "optionEntraineur"
    bool warn = false;                   // "optionAvertirErreur"
    uint8_t warnShare = kWarnShares[0];  // "optionSeuilAvertissement", percent
    bool holdBest = false;               // "optionGarderMeilleurChoix"
    bool markBest = false;               // "optionMarquerMeilleurChoix"
};

enum class ExtraOption : uint8_t { Trainer, Warn, WarnShare, HoldBest, MarkBest };

// The stored name of an option.
const char* storedName(ExtraOption option);

// Reads the options under `key`. Absent, of the wrong type or length, or out
// of range: that option takes its default. Never raises.
ExtraOptions loadExtraOptions(SettingsStore& store, const std::string& key);

// Writes one option as one byte under `key`; a refusal raises StoreError
// with the message the player reads in `language`.
void saveExtraOption(SettingsStore& store, const std::string& key, ExtraOption option,
                     const ExtraOptions& options, Language language);

// Where the player put a window that stays beside the table, from the
// table's top-left corner, in pixels; kept under the options' key, apart
// from them and from the game's values.
struct WindowOffset {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const WindowOffset&, const WindowOffset&) = default;
};

// The statistics window's place: "positionStatistiques".
inline constexpr const char* kStatisticsPlace = "positionStatistiques";

// The place kept as `name` under `key`: none when it is absent, of the wrong
// type or length, or farther than any screen reaches. Never raises.
std::optional<WindowOffset> loadWindowOffset(SettingsStore& store, const std::string& key,
                                             const char* name);

// Keeps a place without waiting for the disk; a refusal goes to `refused`
// (the place is a comfort: the game goes on without it). A store that cannot
// be read raises its StoreError.
void saveWindowOffset(SettingsStore& store, const std::string& key, const char* name,
                      WindowOffset offset, const SettingsStore::Refusal& refused);

}  // namespace brisko
