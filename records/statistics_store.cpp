// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/statistics_store.h"

#include <string_view>
#include <vector>

#include "records/registry.h"

namespace brisko {

namespace {

constexpr size_t kFields = 3 + kCategoryCount + 6;

// The figures in a fixed order, each stored as 8 bytes, least significant first.
std::array<int64_t*, kFields> fieldsOf(StatFigures& f) {
    std::array<int64_t*, kFields> out{};
    size_t k = 0;
    out[k++] = &f.draws;
    out[k++] = &f.bet;
    out[k++] = &f.won;
    for (int64_t& c : f.categories) out[k++] = &c;
    for (int64_t* v : {&f.doubleOffered, &f.doubleTaken, &f.doubleWon, &f.doubleTied, &f.doubleLost,
                       &f.largestDoubleWin}) {
        out[k++] = v;
    }
    return out;
}

std::string valueName(int32_t type) {
    return "Type" + std::to_string(type);
}

// Every count fits its draws: no negative figure, no more final hands or
// double-ups than draws allow.
bool plausible(const StatFigures& f) {
    StatFigures copy = f;
    for (int64_t* v : fieldsOf(copy)) {
        if (*v < 0) return false;
    }
    int64_t hands = 0;
    for (int64_t c : f.categories) hands += c;
    return hands == f.draws && f.doubleTaken <= f.doubleOffered &&
           f.doubleWon + f.doubleTied + f.doubleLost == f.doubleTaken;
}

}  // namespace

std::string statisticsKeyOf(const std::string& gameKey) {
    return gameKey + "Statistics";
}

AllTimeFigures loadStatistics(SettingsStore& store, const std::string& key, bool* damaged) {
    store.openKey(key);
    AllTimeFigures all{};
    bool bad = false;
    for (int32_t type = 1; type <= kGameTypes; ++type) {
        std::array<uint8_t, kFields * 8> bytes{};
        size_t read = 0;
        try {
            read = store.readBinary(valueName(type), bytes.data(), bytes.size());
        } catch (const StoreError&) {
            bad = true;  // of the wrong type or too long
            continue;
        }
        if (read == 0) continue;  // not yet written
        if (read != bytes.size()) {
            bad = true;
            continue;
        }
        StatFigures f;
        size_t at = 0;
        for (int64_t* v : fieldsOf(f)) {
            uint64_t bits = 0;
            for (size_t b = 0; b < 8; ++b) bits |= uint64_t{bytes[at++]} << (8 * b);
            *v = static_cast<int64_t>(bits);
        }
        if (!plausible(f)) {
            bad = true;
            continue;
        }
        all[static_cast<size_t>(type - 1)] = f;
    }
    if (bad) all = AllTimeFigures{};  // a damaged key resets all the statistics
    if (damaged) *damaged = bad;
    return all;
}

namespace {

// The refusal of a save of the figures, naming the value of `played`.
StoreError refusalOf(const StoreError& error, GameType played) {
    const std::string name = valueName(number(played));
    if (!error.problem()) return StoreError(writeErrorMessage(name));
    StoreProblem problem = *error.problem();
    problem.value = name;
    return StoreError(writeErrorMessage(name), std::move(problem));
}

// Opens the key and writes the figures, the save left to commit.
void writeFigures(SettingsStore& store, const std::string& key, const AllTimeFigures& all,
                  GameType played) {
    try {
        store.openKey(key);
    } catch (const StoreError& error) {
        // A file that cannot even be read is a save that failed.
        if (!std::string_view(error.what()).empty() || !error.problem()) throw;
        throw refusalOf(error, played);
    }
    store.beginSave();
    for (int32_t type = 1; type <= kGameTypes; ++type) {
        StatFigures f = all[static_cast<size_t>(type - 1)];
        std::vector<uint8_t> bytes;
        bytes.reserve(kFields * 8);
        for (int64_t* v : fieldsOf(f)) {
            const auto bits = static_cast<uint64_t>(*v);
            for (size_t b = 0; b < 8; ++b) bytes.push_back(static_cast<uint8_t>(bits >> (8 * b)));
        }
        store.writeBinary(valueName(type), bytes.data(), bytes.size());
    }
}

}  // namespace

void saveStatistics(SettingsStore& store, const std::string& key, const AllTimeFigures& all,
                    GameType played) {
    writeFigures(store, key, all, played);
    try {
        store.commitSave();
    } catch (const StoreError& error) {
        throw refusalOf(error, played);
    }
}

void saveStatisticsInBackground(SettingsStore& store, const std::string& key,
                                const AllTimeFigures& all, GameType played,
                                std::function<void(const StoreError&)> refused) {
    writeFigures(store, key, all, played);
    store.commitSaveInBackground([played, refused = std::move(refused)](const StoreError& error) {
        refused(refusalOf(error, played));
    });
}

}  // namespace brisko
