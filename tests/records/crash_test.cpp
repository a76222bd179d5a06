// SPDX-License-Identifier: GPL-3.0-or-later
// A save killed at any moment leaves the old file or the new one, never a mix.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "helpers.h"
#include "records/file_store.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Generation n: every score n, every name "GEN n": a save cut half-way would
// show as a mix of two generations.
void fillGeneration(Settings& s, int32_t n) {
    const std::string name = "GEN " + std::to_string(n);
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) s.highScores[t][i][r] = {n, name};
    s.optionYourName = name;
}

// The generation the settings hold, or -1 for a mix.
int32_t generationOf(const Settings& s) {
    const int32_t n = s.highScores[1][1][1].points;
    const std::string name = "GEN " + std::to_string(n);
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= 6; ++i)
            for (int r = 1; r <= 5; ++r) {
                if (s.highScores[t][i][r].points != n || s.highScores[t][i][r].name != name) {
                    return -1;
                }
            }
    return s.optionYourName == name ? n : -1;
}

// Saves generations first, first + 1, ... until killed.
[[noreturn]] void saveForever(const fs::path& file, Settings settings, int32_t first) {
    RandomSource random;
    Texts texts;
    FileStore store(file);
    Records records(store, random, texts);
    records.settings = std::move(settings);
    for (int32_t n = first;; ++n) {
        fillGeneration(records.settings, n);
        records.SaveSettings();
    }
}

int killCount() {
    if (const char* soak = std::getenv("BRISKO_SOAK_KILLS")) return std::atoi(soak);
    return 200;
}

TEST(CrashSafety, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
    TempDir dir;
    const fs::path file = dir / "Caldimo/user.reg";
    RandomSource random;
    Texts texts;
    FileStore store(file);
    Records records(store, random, texts);
    records.LoadSettings();
    fillGeneration(records.settings, 0);

    // How long a save takes here, to spread the kills over a few saves.
    constexpr int kTimed = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < kTimed; ++k) records.SaveSettings();
    const auto saveMicros =
        std::max<int64_t>(1, std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - start)
                                     .count() /
                                 kTimed);

    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int64_t> delay(0, 4 * saveMicros + 200);
    const int kills = killCount();
    int32_t last = 0;
    int midCommit = 0;
    int64_t saves = 0;
    for (int k = 0; k < kills; ++k) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) saveForever(file, records.settings, last + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << k;
        if (fs::exists(file.string() + ".tmp")) ++midCommit;

        FileStore fresh(file);
        Records loaded(fresh, random, texts);
        ASSERT_NO_THROW(loaded.LoadSettings()) << "kill " << k;
        const int32_t generation = generationOf(loaded.settings);
        ASSERT_GE(generation, last) << "kill " << k << ": a mixed or older file";
        saves += generation - last;
        last = generation;
    }
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().string().find(".bad-"), std::string::npos) << entry.path();
    }
    std::printf(
        "[ figures  ] %d kills survived, %d during a commit, %lld saves completed, "
        "save %lld us, file %lld bytes\n",
        kills, midCommit, static_cast<long long>(saves), static_cast<long long>(saveMicros),
        static_cast<long long>(fs::file_size(file)));
}

TEST(CrashSafety, TwoCopiesTakeTurnsAndLoseNothing) {
    TempDir dir;
    const fs::path file = dir / "Caldimo/user.reg";
    RandomSource random;
    Texts texts;
    FileStore store(file);
    Records records(store, random, texts);
    records.LoadSettings();

    constexpr int kRounds = 60;
    // One copy saves its settings; the other counts in a key of its own.
    const pid_t saver = ::fork();
    if (saver == 0) {
        FileStore mine(file);
        Records r(mine, random, texts);
        r.settings = records.settings;
        for (int n = 1; n <= kRounds; ++n) {
            fillGeneration(r.settings, n);
            r.SaveSettings();
        }
        ::_exit(0);
    }
    const pid_t counter = ::fork();
    if (counter == 0) {
        FileStore mine(file);
        for (uint32_t n = 1; n <= kRounds; ++n) {
            mine.openKey("Software\\Caldimo\\Counter");
            uint32_t value = 0;
            mine.readBinary("count", &value, 4);
            mine.writeBinary("count", &n, 4);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(saver, &status, 0);
    EXPECT_EQ(status, 0);
    ::waitpid(counter, &status, 0);
    EXPECT_EQ(status, 0);

    records.LoadSettings();
    EXPECT_EQ(generationOf(records.settings), kRounds);
    store.openKey("Software\\Caldimo\\Counter");
    uint32_t count = 0;
    store.readBinary("count", &count, 4);
    EXPECT_EQ(count, static_cast<uint32_t>(kRounds));
}

}  // namespace
}  // namespace brisko
