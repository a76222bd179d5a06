// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/extra_options.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "records/registry.h"
#include "records/store_messages.h"

namespace brisko {

namespace {

// The one byte of a value, or nothing when it is absent, of the wrong type
// or not one byte long.
std::optional<uint8_t> readByte(SettingsStore& store, ExtraOption option) {
    uint8_t byte = 0;
    try {
        if (store.readBinary(storedName(option), &byte, 1) != 1) return std::nullopt;
    } catch (const StoreError&) {
        return std::nullopt;
    }
    return byte;
}

uint8_t byteOf(ExtraOption option, const ExtraOptions& options) {
    switch (option) {
        case ExtraOption::Trainer:
            return options.trainer ? 1 : 0;
        case ExtraOption::Warn:
            return options.warn ? 1 : 0;
        case ExtraOption::HoldBest:
            return options.holdBest ? 1 : 0;
        case ExtraOption::MarkBest:
            return options.markBest ? 1 : 0;
        case ExtraOption::WarnShare:
            break;
    }
    return options.warnShare;
}

}  // namespace

const char* storedName(ExtraOption option) {
    switch (option) {
        case ExtraOption::Trainer:
            return "optionEntraineur";
        case ExtraOption::Warn:
            return "optionAvertirErreur";
        case ExtraOption::HoldBest:
            return "optionGarderMeilleurChoix";
        case ExtraOption::MarkBest:
            return "optionMarquerMeilleurChoix";
        case ExtraOption::WarnShare:
            break;
    }
    return "optionSeuilAvertissement";
}

ExtraOptions loadExtraOptions(SettingsStore& store, const std::string& key) {
    ExtraOptions options;
    try {
        store.openKey(key);
    } catch (const StoreError&) {
        return options;
    }
    const auto flag = [&](ExtraOption option) {
        const std::optional<uint8_t> byte = readByte(store, option);
        return byte && *byte == 1;
    };
    options.trainer = flag(ExtraOption::Trainer);
    options.warn = flag(ExtraOption::Warn);
    options.holdBest = flag(ExtraOption::HoldBest);
    options.markBest = flag(ExtraOption::MarkBest);
    const std::optional<uint8_t> share = readByte(store, ExtraOption::WarnShare);
    if (share && std::find(kWarnShares.begin(), kWarnShares.end(), *share) != kWarnShares.end()) {
        options.warnShare = *share;
    }
    return options;
}

void saveExtraOption(SettingsStore& store, const std::string& key, ExtraOption option,
                     const ExtraOptions& options, Language language) {
    const uint8_t byte = byteOf(option, options);
    try {
        store.openKey(key);
        store.beginSave();
        store.writeBinary(storedName(option), &byte, 1);
        store.commitSave();
    } catch (const StoreError& error) {
        // A file that cannot even be read is a write that failed.
        if (std::string_view(error.what()).empty() && error.problem()) {
            throw StoreError(storeMessage(
                StoreError(writeErrorMessage(storedName(option)), *error.problem()), language));
        }
        throw StoreError(storeMessage(error, language));
    }
}

namespace {

// A place is two signed 32-bit numbers, little-endian.
constexpr size_t kOffsetBytes = 8;
// Beyond this, no screen shows the window.
constexpr int32_t kFarthest = 1 << 16;

}  // namespace

std::optional<WindowOffset> loadWindowOffset(SettingsStore& store, const std::string& key,
                                             const char* name) {
    std::array<uint8_t, kOffsetBytes + 1> bytes{};
    try {
        store.openKey(key);
        if (store.readBinary(name, bytes.data(), bytes.size()) != kOffsetBytes) return std::nullopt;
    } catch (const StoreError&) {
        return std::nullopt;
    }
    const auto number = [&](size_t at) {
        uint32_t bits = 0;
        for (size_t b = 0; b < 4; ++b) bits |= uint32_t(bytes[at + b]) << (8 * b);
        return static_cast<int32_t>(bits);
    };
    const WindowOffset offset{number(0), number(4)};
    if (std::abs(offset.x) > kFarthest || std::abs(offset.y) > kFarthest) return std::nullopt;
    return offset;
}

void saveWindowOffset(SettingsStore& store, const std::string& key, const char* name,
                      WindowOffset offset, const SettingsStore::Refusal& refused) {
    std::array<uint8_t, kOffsetBytes> bytes{};
    for (size_t b = 0; b < 4; ++b) {
        bytes[b] = static_cast<uint8_t>(static_cast<uint32_t>(offset.x) >> (8 * b));
        bytes[4 + b] = static_cast<uint8_t>(static_cast<uint32_t>(offset.y) >> (8 * b));
    }
    store.openKey(key);
    store.beginSave();
    store.writeBinary(name, bytes.data(), bytes.size());
    store.commitSaveInBackground(refused);
}

}  // namespace brisko
