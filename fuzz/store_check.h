// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold for any bytes found in the settings file, shared by the
// fuzzer and the regression tests: the parser reads them or names a damaged
// line; what it reads writes back and reads again the same; a load never
// crashes, loses the player's file or a value that read cleanly, or leaves the
// settings outside their range.
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

// What a value of the game's key is in the file as read.
enum class Found { Clean, Unreadable, Absent };

// The property of the load: a value that cannot be read costs only itself.
// Unless what read cleanly fails the game's check on its own (a first run, a
// marker or option out of range, a list of readable entries out of order),
// every option and the name that read cleanly keep their value, and each list
// starts with its entries whose points and name read cleanly, in their order.
// Worked out from the file alone, beside the game's own code.
inline std::string checkKept(const RegistryText& read, const Settings& loaded) {
    const RegKey* key = read.tree.find("Software\\Caldimo\\BRISKO 99");
    if (key == nullptr) return {};
    const bool damagedLines = !read.damagedLines.empty();
    const std::vector<StoredValue>& table = storedValues();
    std::vector<Found> found(table.size(), Found::Absent);
    std::vector<uint32_t> bits(table.size(), 0);
    std::vector<std::string> text(table.size());
    size_t held = 0;
    for (size_t k = 0; k < table.size(); ++k) {
        const StoredValue& v = table[k];
        const RegValue* value = key->find(v.name);
        if (value == nullptr) {
            // A clean file without one of the game's values: its zero takes part.
            if (!damagedLines) return {};
            found[k] = Found::Unreadable;
            continue;
        }
        ++held;
        if (v.kind == ValueKind::String) {
            if (value->type != kRegSz && value->type != kRegExpandSz) {
                found[k] = Found::Unreadable;
                continue;
            }
            text[k] = utf16ToUtf8(stringUnits(value->data));
        } else {
            if (value->type != kRegBinary || value->data.size() != v.width) {
                found[k] = Found::Unreadable;
                continue;
            }
            for (size_t b = 0; b < v.width; ++b) bits[k] |= uint32_t{value->data[b]} << (8 * b);
        }
        found[k] = Found::Clean;
    }
    if (held == 0) return {};  // a first run
    struct Entry {
        int32_t points;
        std::string name;
    };
    std::vector<Entry> kept[kGameTypes + 1][kTargets + 1];
    for (size_t k = 0; k < table.size(); ++k) {
        const StoredValue& v = table[k];
        if (found[k] != Found::Clean) continue;
        if (isOption(v) && (bits[k] < v.low || bits[k] > v.high)) return {};  // a reset
        if (v.field == SettingField::verif && bits[k] == 0) return {};        // a first run
        if (v.field == SettingField::points && found[k + 1] == Found::Clean) {
            kept[v.gameType][v.targetIndex].push_back({static_cast<int32_t>(bits[k]), text[k + 1]});
        }
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const std::vector<Entry>& list = kept[t][i];
            for (size_t r = 1; r < list.size(); ++r) {
                if (list[r].points > list[r - 1].points) return {};  // a reset
            }
        }
    }
    for (size_t k = 0; k < table.size(); ++k) {
        const StoredValue& v = table[k];
        if (found[k] != Found::Clean) continue;
        if (isOption(v) && binaryField(loaded, v) != bits[k]) return v.name + " was lost";
        if (v.field == SettingField::optionYourName && loaded.optionYourName != text[k]) {
            return v.name + " was lost";
        }
    }
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        for (int32_t i = 1; i <= kTargets; ++i) {
            const std::vector<Entry>& list = kept[t][i];
            for (size_t r = 0; r < list.size(); ++r) {
                const HighScoreEntry& entry = loaded.highScores[t][i][static_cast<int32_t>(r) + 1];
                if (entry.points != list[r].points || entry.name != list[r].name) {
                    return "the entry " + std::to_string(t) + std::to_string(i) +
                           std::to_string(r + 1) + " of a readable list was lost";
                }
            }
        }
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
    // Only the store's own type errors and the account of what was damaged.
    for (size_t start = 0; start < error.size();) {
        const size_t end = std::min(error.find('\n', start), error.size());
        const std::string_view line = std::string_view(error).substr(start, end - start);
        if (!line.starts_with("Type de données incorrect pour '") &&
            !line.starts_with("Le fichier des réglages '") && !line.starts_with("Les réglages '")) {
            return "unexpected store error: " + error;
        }
        start = end + 1;
    }
    if (!records.SettingsValid()) return "settings left invalid after a load";
    if (std::string fault = checkKept(readRegistryText(bytes), s); !fault.empty()) return fault;
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
        return std::string("the next load fails: ") + e.what();
    }
    const std::string changed = firstDifference(records.settings, reloaded.settings);
    if (!changed.empty()) return "the next load reads another " + changed;
    return {};
}

// The settings a load finds in a file that read as `tree`, put into a store
// held in memory; `error` gets the load's error, if any. The keys are marked
// as changed, as a save to the file marks the key it writes.
inline Settings loadInMemory(RegTree tree, MemoryStore& store, std::string& error,
                             int damagedLine = 0) {
    for (RegKey& key : tree.keys) key.rawLine.clear();
    store = MemoryStore(std::move(tree));
    if (damagedLine > 0) {
        StoreProblem problem;
        problem.kind = StoreProblem::Kind::Damaged;
        problem.line = damagedLine;
        store.notice = problem;
    }
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
// memory: the game's choice in range, nothing readable lost (checkKept), and
// what the save leaves reads back cleanly, with nothing to tell, to the same
// settings.
inline std::string checkCycle(RegistryText read) {
    MemoryStore store;
    std::string error;
    const int damagedLine = read.damagedLines.empty() ? 0 : read.damagedLines.front();
    const Settings first = loadInMemory(read.tree, store, error, damagedLine);
    if (!isGameType(number(first.gameType)) || first.targetIndex < 1 ||
        first.targetIndex > kTargets) {
        return "the game choice is outside its range after the load";
    }
    if (!error.empty() && !error.starts_with("Type de données incorrect pour '") &&
        !error.starts_with("Le fichier des réglages ") && !error.starts_with("Les réglages ")) {
        return "unexpected store error: " + error;
    }
    if (std::string fault = checkKept(read, first); !fault.empty()) return fault;
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
    if (!nextError.empty()) return "the next load fails: " + nextError;
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
