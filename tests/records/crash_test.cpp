// SPDX-License-Identifier: GPL-3.0-or-later
// A save killed at any moment leaves the old file or the new one, never a mix;
// a game killed at any moment loses at most the draw whose save was on its way.
#include <fcntl.h>
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
#include "table/statistics.h"

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

int killCount(int otherwise = 200) {
    if (const char* soak = std::getenv("BRISKO_SOAK_KILLS")) return std::atoi(soak);
    return otherwise;
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

const std::string kStatisticsKey = statisticsKeyOf(registryKeyOf("BRISKO 99"));

// Draw k of the soak, k = 1, 2, ...: each save changes the figures of another
// game type, so that a save mixed with the one before shows.
DrawRecord drawNumbered(int64_t k) {
    DrawRecord r;
    r.gameType = GameType{static_cast<int32_t>(k % 3) + 1};
    r.bet = static_cast<int32_t>(k % 20) + 1;
    r.category = static_cast<HandCategory>(k % kCategoryCount);
    r.win = r.bet * static_cast<int32_t>(k % 4);
    return r;
}

AllTimeFigures figuresAfter(int64_t draws) {
    AllTimeFigures all{};
    for (int64_t k = 1; k <= draws; ++k) {
        const DrawRecord r = drawNumbered(k);
        addDraw(all[static_cast<size_t>(number(r.gameType) - 1)], r);
    }
    return all;
}

int64_t drawsOf(const AllTimeFigures& all) {
    return all[0].draws + all[1].draws + all[2].draws;
}

// Plays on from what the file holds, as the window does: each draw's figures
// saved on the store's thread, and every tenth draw the settings saved too
// (generation: the draw's number). Writes to `told` the draws played, each
// once its save is handed over (the player has seen it), and the settings'
// generations once saved, negated. `paced`: as a player, slower than the
// disk, plays; otherwise the draws come faster than the saves, which join.
[[noreturn]] void playForever(const fs::path& file, int told, bool paced) {
    RandomSource random;
    Texts texts;
    FileStore store(file);
    Records records(store, random, texts);
    records.LoadSettings();
    Statistics statistics(store, kStatisticsKey);
    statistics.load();
    for (int64_t n = drawsOf(statistics.allTime()) + 1;; ++n) {
        if (paced) statistics.finishSaves();
        statistics.drawEnded(drawNumbered(n));
        if (::write(told, &n, sizeof n) != sizeof n) ::_exit(1);
        if (n % 10 != 0) continue;
        fillGeneration(records.settings, static_cast<int32_t>(n));
        records.SaveSettings();
        const int64_t saved = -n;
        if (::write(told, &saved, sizeof saved) != sizeof saved) ::_exit(1);
    }
}

TEST(CrashSafety, AGameKilledAtAnyMomentLosesAtMostTheDrawOnItsWay) {
    TempDir dir;
    const fs::path file = dir / "Caldimo/user.reg";
    RandomSource random;
    Texts texts;
    int64_t saveMicros = 0;
    {
        FileStore store(file);
        Records records(store, random, texts);
        records.LoadSettings();
        fillGeneration(records.settings, 0);
        records.SaveSettings();
        // How long a draw's save takes here, to spread the kills over a few.
        Statistics statistics(store, kStatisticsKey);
        statistics.load();
        constexpr int kTimed = 10;
        const auto start = std::chrono::steady_clock::now();
        for (int k = 1; k <= kTimed; ++k) {
            statistics.drawEnded(drawNumbered(k));
            statistics.finishSaves();
        }
        saveMicros = std::max<int64_t>(1, std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - start)
                                                  .count() /
                                              kTimed);
    }

    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int64_t> delay(0, 6 * saveMicros + 2000);
    const int kills = killCount(100);
    int64_t draws = 10;
    int32_t generation = 0;
    int lostOne = 0;
    int64_t mostLostUnpaced = 0;
    int midCommit = 0;
    int64_t played = 0;
    for (int k = 0; k < kills; ++k) {
        int told[2];
        ASSERT_EQ(::pipe(told), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(told[0]);
            playForever(file, told[1], k % 2 == 0);
        }
        ::close(told[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << k;
        if (fs::exists(file.string() + ".tmp")) ++midCommit;
        // The last draw the player saw, and the last settings saved.
        int64_t seen = draws;
        int64_t savedGeneration = generation;
        for (int64_t n = 0; ::read(told[0], &n, sizeof n) == sizeof n;) {
            if (n > 0) seen = n;
            if (n < 0) savedGeneration = -n;
        }
        ::close(told[0]);

        FileStore fresh(file);
        Records loaded(fresh, random, texts);
        ASSERT_NO_THROW(loaded.LoadSettings()) << "kill " << k;
        const int32_t kept = generationOf(loaded.settings);
        ASSERT_GE(kept, savedGeneration) << "kill " << k << ": mixed or lost settings";
        bool damaged = true;
        const AllTimeFigures figures = loadStatistics(fresh, kStatisticsKey, &damaged);
        ASSERT_FALSE(damaged) << "kill " << k;
        const int64_t onDisk = drawsOf(figures);
        ASSERT_EQ(figures, figuresAfter(onDisk)) << "kill " << k << ": a mix of two saves";
        ASSERT_GE(onDisk, draws) << "kill " << k;
        if (k % 2 == 0) {
            ASSERT_LE(seen - onDisk, 1) << "kill " << k << ": draws lost";
            if (seen - onDisk == 1) ++lostOne;
        } else {
            mostLostUnpaced = std::max(mostLostUnpaced, seen - onDisk);
        }
        played += onDisk - draws;
        draws = onDisk;
        generation = kept;
    }
    std::printf(
        "[ figures  ] %d kills of a game: %lld draws saved; at a player's pace %d kills lost "
        "the draw on its way, none lost more; faster than the disk at most %lld draws lost "
        "(joined in the save on its way); none mixed; %d during a commit; a draw's save %lld "
        "us\n",
        kills, static_cast<long long>(played), lostOne, static_cast<long long>(mostLostUnpaced),
        midCommit, static_cast<long long>(saveMicros));
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
