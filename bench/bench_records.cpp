// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the settings store: a full save (188 values, one synced commit), a
// full load, a draw's save of the statistics, the text format alone, and the
// store fuzzer's checks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/store_check.h"
#include "records/file_store.h"
#include "records/memory_store.h"
#include "records/registry_text.h"
#include "records/settings.h"
#include "table/statistics.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;

// A store file of its own under $TMPDIR, removed afterwards.
class BenchDir {
  public:
    BenchDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/brisko-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~BenchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path file() const { return path_ / "Caldimo" / "user.reg"; }

  private:
    fs::path path_;
};

void BM_SaveSettingsToFile(benchmark::State& st) {
    BenchDir dir;
    FileStore store(dir.file());
    RandomSource random;
    Texts texts;
    Records records(store, random, texts);
    records.LoadSettings();
    int32_t n = 0;
    for (auto _ : st) {
        records.settings.highScores[1][1][5].points = n++ % 1000;
        records.SaveSettings();
    }
    st.counters["file_bytes"] = static_cast<double>(fs::file_size(dir.file()));
}
BENCHMARK(BM_SaveSettingsToFile)->Unit(benchmark::kMicrosecond);

void BM_LoadSettingsFromFile(benchmark::State& st) {
    BenchDir dir;
    FileStore store(dir.file());
    RandomSource random;
    Texts texts;
    Records records(store, random, texts);
    records.LoadSettings();
    for (auto _ : st) {
        records.LoadSettings();
        benchmark::DoNotOptimize(records.settings.highScores[3][6][5].points);
    }
}
BENCHMARK(BM_LoadSettingsFromFile)->Unit(benchmark::kMicrosecond);

double threadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The game's file as a player's is after a while: the settings and the
// statistics, each draw another game type's.
struct PlayersFile {
    BenchDir dir;
    FileStore store{dir.file()};
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};
    Statistics statistics{store, statisticsKeyOf(records.registryKey)};
    int64_t draws = 0;
    PlayersFile() {
        records.LoadSettings();
        statistics.load();
        for (int k = 0; k < 3; ++k) nextDraw();
        statistics.finishSaves();
    }
    void nextDraw() {
        DrawRecord r;
        r.gameType = GameType{static_cast<int32_t>(++draws % 3) + 1};
        r.bet = 5;
        r.category = HandCategory::KingsOrBetter;
        r.win = 5;
        statistics.drawEnded(r);
    }
};

// What the window's thread spends in a draw's save (the statistics' call at
// the end of each draw) at a player's pace: the save before has landed.
void BM_DrawSaveOnTheWindowsThread(benchmark::State& st) {
    PlayersFile game;
    double cpu = 0;
    for (auto _ : st) {
        const double cpuStart = threadSeconds();
        const auto start = std::chrono::steady_clock::now();
        game.nextDraw();
        const auto end = std::chrono::steady_clock::now();
        cpu += threadSeconds() - cpuStart;
        game.statistics.finishSaves();
        st.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    // The processor time of the window's thread alone, in the draw's save.
    st.counters["thread_cpu_us"] =
        benchmark::Counter(cpu * 1e6 / static_cast<double>(st.iterations()));
    st.counters["file_bytes"] = static_cast<double>(fs::file_size(game.dir.file()));
}
BENCHMARK(BM_DrawSaveOnTheWindowsThread)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Draws back to back, as `play --store` runs a script faster than the disk:
// each draw's save waits for the one before.
void BM_DrawSavesBackToBack(benchmark::State& st) {
    PlayersFile game;
    for (auto _ : st) game.nextDraw();
    game.statistics.finishSaves();
}
BENCHMARK(BM_DrawSavesBackToBack)->Unit(benchmark::kMicrosecond);

// A game's records over a store in memory, loaded as at start.
struct InMemory {
    MemoryStore store;
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};
    InMemory() { records.LoadSettings(); }
};

void BM_SaveSettingsToMemory(benchmark::State& st) {
    InMemory game;
    for (auto _ : st) game.records.SaveSettings();
}
BENCHMARK(BM_SaveSettingsToMemory)->Unit(benchmark::kMicrosecond);

void BM_FormatAndParseStoreText(benchmark::State& st) {
    const InMemory game;
    size_t checksum = 0;
    for (auto _ : st) {
        const std::string text = formatRegistryText(game.store.tree());
        checksum += parseRegistryText(text).keys.front().values.size() + text.size();
    }
    benchmark::DoNotOptimize(checksum);
}
BENCHMARK(BM_FormatAndParseStoreText)->Unit(benchmark::kMicrosecond);

// The checks the store fuzzer runs on each input (read, write back, load,
// save, load again), without sanitizers, on an input like those it keeps:
// the game's file with its values in reverse order and every tenth damaged.
void BM_StoreFuzzChecks(benchmark::State& st) {
    const InMemory game;
    std::istringstream whole(formatRegistryText(game.store.tree()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(whole, line);) lines.push_back(line);
    const auto values = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& line) { return line.starts_with('"'); });
    std::reverse(values, lines.end());
    std::string input;
    for (size_t k = 0; k < lines.size(); ++k) {
        input += k > 4 && k % 10 == 0 ? "damaged" : lines[k];
        input += '\n';
    }
    for (auto _ : st) {
        if (!fuzz::checkStore(input).empty()) st.SkipWithError("a store fault");
    }
    st.counters["input_bytes"] = static_cast<double>(input.size());
}
BENCHMARK(BM_StoreFuzzChecks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brisko
