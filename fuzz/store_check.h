// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold for any bytes found in the settings file, shared by the
// fuzzer and the regression tests: the parser reads them or names a damaged
// line; what it reads writes back and reads again the same; a load never
// crashes, loses the player's file or leaves the settings outside their range.
#pragma once

#include <algorithm>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "records/file_store.h"
#include "records/memory_store.h"
#include "records/registry_text.h"
#include "records/settings.h"
#include "records/settings_table.h"
#include "tests/records/helpers.h"

namespace brisko::fuzz {

namespace fs = std::filesystem;

inline std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first of the 188 values on which the two differ; empty when none does.
inline std::string firstDifference(const Settings& a, const Settings& b) {
    for (const StoredValue& value : storedValues()) {
        const bool same = value.kind == ValueKind::String
                              ? textField(a, value) == textField(b, value)
                              : binaryField(a, value) == binaryField(b, value);
        if (!same) return value.name;
    }
    return {};
}

// Reads, writes back and reads again; `read` is what the parser made of
// `bytes`. Empty when all is well, else the fault.
inline std::string checkParser(std::string_view bytes, const RegistryText& read) {
    if (!read.damagedLines.empty()) {
        const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        int previous = 0;
        for (const int line : read.damagedLines) {
            if (line <= previous || static_cast<size_t>(line) > lines) {
                return "damage reported on line " + std::to_string(line) + " of " +
                       std::to_string(lines);
            }
            previous = line;
        }
        return {};
    }
    const RegTree& tree = read.tree;
    const std::string written = formatRegistryText(tree);
    if (written.size() > kMaxRegistryFileSize) return {};  // grew past the bound by blank lines
    RegTree again;
    try {
        again = parseRegistryText(written);
    } catch (const RegistryParseError& error) {
        return "the written text does not read back: line " + std::to_string(error.line()) + ": " +
               error.what();
    }
    if (formatRegistryText(again) != written) return "writing twice differs";
    if (again.keys.size() != tree.keys.size()) return "keys lost in writing";
    for (size_t k = 0; k < tree.keys.size(); ++k) {
        const RegKey& a = tree.keys[k];
        const RegKey& b = again.keys[k];
        if (!sameRegistryName(a.path, b.path) || a.values.size() != b.values.size()) {
            return "key " + a.path + " changed in writing";
        }
        for (size_t v = 0; v < a.values.size(); ++v) {
            const RegValue& x = a.values[v];
            const RegValue& y = b.values[v];
            if (x.name != y.name || x.type != y.type || x.data != y.data) {
                return "value " + x.name + " changed in writing";
            }
        }
    }
    return {};
}

inline std::string checkParser(std::string_view bytes) {
    return checkParser(bytes, readRegistryText(bytes));
}

// Removes everything in `dir`, keeping the folder.
inline void emptyFolder(const fs::path& dir) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir, ignored)) {
        fs::remove_all(entry.path(), ignored);
    }
}

// Puts `bytes` as the settings file in `dir` (emptied first) and loads it as
// the game does at start, then once more as the next run would.
inline std::string checkLoad(std::string_view bytes, const fs::path& dir) {
    emptyFolder(dir);
    const fs::path file = dir / "user.reg";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const auto clock = [] { return test::kFixedTime; };
    Texts texts;
    texts.setLanguage(Language::French);

    RandomSource random;
    FileStore store(file, clock);
    Records records(store, random, texts);
    std::string error;
    try {
        records.LoadSettings();
    } catch (const StoreError& e) {
        error = e.what();
    }
    const Settings& s = records.settings;
    if (!isGameType(number(s.gameType)) || s.targetIndex < 1 || s.targetIndex > kTargets) {
        return "the game choice is outside its range after the load";
    }
    // Only the store's own type errors and the damage notice.
    bool typeError = false;
    for (size_t start = 0; start < error.size();) {
        const size_t end = std::min(error.find('\n', start), error.size());
        const std::string_view line = std::string_view(error).substr(start, end - start);
        if (line.starts_with("Type de données incorrect pour '")) {
            typeError = true;
        } else if (!line.starts_with("Le fichier des réglages '")) {
            return "unexpected store error: " + error;
        }
        start = end + 1;
    }
    if (!typeError && !records.SettingsValid()) return "settings left invalid after a load";
    if (error.find("Le fichier des réglages '") != std::string::npos) {
        // A damaged file is copied whole, never deleted.
        bool kept = false;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("user.reg.bad-") && fileText(entry.path()) == bytes) kept = true;
        }
        if (!kept) return "a damaged file was not kept";
    }

    // The next run finds what this one left, with nothing to mend.
    RandomSource otherRandom;
    FileStore next(file, clock);
    Records reloaded(next, otherRandom, texts);
    try {
        reloaded.LoadSettings();
    } catch (const StoreError& e) {
        // A value of the wrong type stays in the file and is named again.
        if (!typeError || std::string_view(e.what()).find("Le fichier") != std::string::npos) {
            return std::string("the next load fails: ") + e.what();
        }
    }
    const std::string changed = firstDifference(records.settings, reloaded.settings);
    if (!changed.empty()) return "the next load reads another " + changed;
    return {};
}

// The settings a load finds in a file that read as `tree`, put into a store
// held in memory; `error` gets the load's error, if any. The keys are marked
// as changed, as a save to the file marks the key it writes.
inline Settings loadInMemory(RegTree tree, MemoryStore& store, std::string& error) {
    for (RegKey& key : tree.keys) key.rawLine.clear();
    store = MemoryStore(std::move(tree));
    static const Texts texts = [] {
        Texts french;
        french.setLanguage(Language::French);
        return french;
    }();
    RandomSource random;
    Records records(store, random, texts);
    try {
        records.LoadSettings();
    } catch (const StoreError& e) {
        error = e.what();
    }
    return records.settings;
}

// The load, checks and save of the game on a file that read as `read`, in
// memory: the game's choice in range, valid settings unless a value of the
// wrong type is named, and what the save leaves reads back cleanly to the
// same settings.
inline std::string checkCycle(RegistryText read) {
    MemoryStore store;
    std::string error;
    const Settings first = loadInMemory(std::move(read.tree), store, error);
    if (!isGameType(number(first.gameType)) || first.targetIndex < 1 ||
        first.targetIndex > kTargets) {
        return "the game choice is outside its range after the load";
    }
    const bool typeError = error.starts_with("Type de données incorrect pour '");
    if (!error.empty() && !typeError) return "unexpected store error: " + error;
    const std::string written = formatRegistryText(store.tree());
    if (written.size() > kMaxRegistryFileSize) return {};
    RegistryText again = readRegistryText(written);
    if (!again.damagedLines.empty()) {
        return "a save wrote a damaged line " + std::to_string(again.damagedLines.front()) + ": " +
               again.firstReason;
    }
    // A load depends on the text alone, and most inputs leave the same text
    // (the defaults of a first run): the last one's load is kept.
    static std::string lastWritten;
    static Settings lastSettings;
    static std::string lastError;
    if (written != lastWritten) {
        MemoryStore next;
        lastError.clear();
        lastSettings = loadInMemory(std::move(again.tree), next, lastError);
        lastWritten = written;
    }
    const Settings& second = lastSettings;
    const std::string& nextError = lastError;
    if (!nextError.empty() && !typeError) return "the next load fails: " + nextError;
    const std::string changed = firstDifference(first, second);
    if (!changed.empty()) return "the next load reads another " + changed;
    return {};
}

inline std::string checkCycle(std::string_view bytes) {
    return checkCycle(readRegistryText(bytes));
}

// Both checks on any bytes, from one reading of them.
inline std::string checkStore(std::string_view bytes) {
    RegistryText read = readRegistryText(bytes);
    if (std::string fault = checkParser(bytes, read); !fault.empty()) return fault;
    return checkCycle(std::move(read));
}

}  // namespace brisko::fuzz
