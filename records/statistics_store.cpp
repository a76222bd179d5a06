// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/statistics_store.h"

#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "records/registry.h"

namespace brisko {

namespace {

__extension__ typedef unsigned __int128 UInt128;

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

std::string tallyName(int32_t type) {
    return "Entraineur" + std::to_string(type);
}

std::string mistakesName(int32_t type) {
    return "Erreurs" + std::to_string(type);
}

// Whole numbers of `width` bytes, least significant first.
void putInteger(std::vector<uint8_t>& bytes, Int128 value, size_t width) {
    const auto bits = static_cast<UInt128>(value);
    for (size_t b = 0; b < width; ++b) bytes.push_back(static_cast<uint8_t>(bits >> (8 * b)));
}

Int128 getInteger(const uint8_t* bytes, size_t width) {
    UInt128 bits = 0;
    for (size_t b = 0; b < width; ++b) bits |= static_cast<UInt128>(bytes[b]) << (8 * b);
    // Sign-extended from the top byte.
    if (width < 16 && (bytes[width - 1] & 0x80u) != 0) {
        bits |= ~static_cast<UInt128>(0) << (8 * width);
    }
    return static_cast<Int128>(bits);
}

constexpr size_t kTallyBytes = 8 + 8 + 16 + 16;
// Draw number, five cards, the hold, the best hold, the bet, the cost's
// numerator and denominator.
constexpr size_t kMistakeBytes = 4 + kSlots + 1 + 1 + 1 + 8 + 8;
constexpr Int128 kInt64Max = std::numeric_limits<int64_t>::max();

std::vector<uint8_t> tallyBytes(const TrainerFigures& f) {
    std::vector<uint8_t> bytes;
    putInteger(bytes, f.decisions, 8);
    putInteger(bytes, f.bestPlays, 8);
    putInteger(bytes, f.givenAway.num(), 16);
    putInteger(bytes, f.givenAway.den(), 16);
    return bytes;
}

std::vector<uint8_t> mistakesBytes(const TrainerFigures& f) {
    std::vector<uint8_t> bytes;
    for (const Mistake& m : f.mistakes) {
        // A cost beyond 64 bits is never made by the game's values.
        if (m.cost.num() > kInt64Max || m.cost.den() > kInt64Max) continue;
        putInteger(bytes, m.drawNumber, 4);
        for (int32_t k = 1; k <= kSlots; ++k) {
            bytes.push_back(static_cast<uint8_t>(m.dealt[static_cast<size_t>(k)]));
        }
        bytes.push_back(static_cast<uint8_t>(m.held));
        bytes.push_back(static_cast<uint8_t>(m.best));
        bytes.push_back(static_cast<uint8_t>(m.bet));
        putInteger(bytes, m.cost.num(), 8);
        putInteger(bytes, m.cost.den(), 8);
    }
    return bytes;
}

// The value's bytes, or nothing when it is absent, of another type or
// longer than `capacity`.
std::optional<std::vector<uint8_t>> readBytes(SettingsStore& store, const std::string& name,
                                              size_t capacity) {
    std::vector<uint8_t> bytes(capacity);
    std::optional<size_t> length;
    try {
        length = store.readBinaryLength(name, bytes.data(), bytes.size());
    } catch (const StoreError&) {
        return std::nullopt;
    }
    if (!length || *length > capacity) return std::nullopt;
    bytes.resize(*length);
    return bytes;
}

// The tally, when it holds together: no more best plays than decisions,
// nothing given away before the first.
std::optional<TrainerFigures> tallyOf(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != kTallyBytes) return std::nullopt;
    TrainerFigures f;
    f.decisions = static_cast<int64_t>(getInteger(&bytes[0], 8));
    f.bestPlays = static_cast<int64_t>(getInteger(&bytes[8], 8));
    const Int128 num = getInteger(&bytes[16], 16);
    const Int128 den = getInteger(&bytes[32], 16);
    if (f.decisions < 0 || f.bestPlays < 0 || f.bestPlays > f.decisions || num < 0 || den <= 0) {
        return std::nullopt;
    }
    if (f.decisions == 0 && num != 0) return std::nullopt;
    f.givenAway = Fraction(num, den);
    return f;
}

// The mistakes of `type`, when every one holds together: a hand the game
// type deals, two different holds, a bet of 1 to 20 and a cost above 0.
std::optional<std::vector<Mistake>> mistakesOf(const std::vector<uint8_t>& bytes, GameType type) {
    if (bytes.size() % kMistakeBytes != 0) return std::nullopt;
    std::vector<Mistake> out;
    for (size_t at = 0; at < bytes.size(); at += kMistakeBytes) {
        const uint8_t* r = &bytes[at];
        Mistake m;
        m.gameType = type;
        m.drawNumber = static_cast<int32_t>(getInteger(r, 4));
        for (int32_t k = 1; k <= kSlots; ++k) m.dealt[static_cast<size_t>(k)] = r[3 + k];
        m.held = r[9];
        m.best = r[10];
        m.bet = r[11];
        const Int128 num = getInteger(r + 12, 8);
        const Int128 den = getInteger(r + 20, 8);
        if (m.drawNumber < 1 || !dealtByGameType(m.dealt, type) || m.held >= kHoldCount ||
            m.best >= kHoldCount || m.held == m.best || m.bet < 1 || m.bet > 20 || num <= 0 ||
            den <= 0) {
            return std::nullopt;
        }
        m.cost = Fraction(num, den);
        out.push_back(m);
    }
    return out;
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

AllTimeTrainer loadTrainerFigures(SettingsStore& store, const std::string& key,
                                  std::array<bool, kGameTypes>* stored) {
    store.openKey(key);
    AllTimeTrainer all{};
    for (int32_t type = 1; type <= kGameTypes; ++type) {
        const auto t = static_cast<size_t>(type - 1);
        TrainerFigures& f = all[t];
        const auto tally = readBytes(store, tallyName(type), kTallyBytes);
        const auto mistakes = readBytes(store, mistakesName(type), kKeptMistakes * kMistakeBytes);
        if (stored) (*stored)[t] = tally || mistakes;
        if (tally) {
            if (std::optional<TrainerFigures> read = tallyOf(*tally)) f = std::move(*read);
        }
        if (mistakes) {
            if (auto read = mistakesOf(*mistakes, static_cast<GameType>(type))) {
                f.mistakes = std::move(*read);
            }
        }
    }
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
                  GameType played, const AllTimeTrainer* trainer,
                  std::array<bool, kGameTypes> trainerTypes) {
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
    for (int32_t type = 1; trainer && type <= kGameTypes; ++type) {
        const auto t = static_cast<size_t>(type - 1);
        if (!trainerTypes[t]) continue;
        const std::vector<uint8_t> tally = tallyBytes((*trainer)[t]);
        store.writeBinary(tallyName(type), tally.data(), tally.size());
        const std::vector<uint8_t> mistakes = mistakesBytes((*trainer)[t]);
        store.writeBinary(mistakesName(type), mistakes.data(), mistakes.size());
    }
}

}  // namespace

void saveStatistics(SettingsStore& store, const std::string& key, const AllTimeFigures& all,
                    GameType played, const AllTimeTrainer* trainer,
                    std::array<bool, kGameTypes> trainerTypes) {
    writeFigures(store, key, all, played, trainer, trainerTypes);
    try {
        store.commitSave();
    } catch (const StoreError& error) {
        throw refusalOf(error, played);
    }
}

void saveStatisticsInBackground(SettingsStore& store, const std::string& key,
                                const AllTimeFigures& all, GameType played,
                                const AllTimeTrainer* trainer,
                                std::array<bool, kGameTypes> trainerTypes,
                                std::function<void(const StoreError&)> refused) {
    writeFigures(store, key, all, played, trainer, trainerTypes);
    store.commitSaveInBackground([played, refused = std::move(refused)](const StoreError& error) {
        refused(refusalOf(error, played));
    });
}

}  // namespace brisko
