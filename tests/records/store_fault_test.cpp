// SPDX-License-Identifier: GPL-3.0-or-later
// A store that cannot be written in the middle of play (a full disk, a
// folder made read-only): every best score entered raises the store's error,
// every draw's save of the statistics, made on the store's thread, is kept
// refused for the window, the file keeps what it held, and the game goes on.
// A file the player made read-only is said once, by the settings, and
// nothing is saved.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>

#include "helpers.h"
#include "records/file_store.h"
#include "records/store_messages.h"
#include "table/null_view.h"
#include "table/statistics.h"
#include "table/world.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::TempDir;

using SilentTable = NullTableView;

enum class Fault { FullDisk, ReadOnlyFolder, ReadOnlyFile };

// Plays `draws` draws of the current game, refusing every double-up; the
// number of store errors met. False when the game stopped going on.
bool playOn(GameTable& table, int32_t draws, int& errors, const std::string& expected) {
    for (int32_t n = 0; n < draws; ++n) {
        if (!table.allows(TableCommand::DealOrDraw)) return false;
        const int32_t before = table.state.drawNumber;
        for (int step = 0; step < 2; ++step) {
            try {
                table.dealOrDraw();
                if (table.allows(TableCommand::Double)) table.ButtonNoDoubleClick();
            } catch (const StoreError& error) {
                if (!std::string(error.what()).starts_with(expected)) return false;
                ++errors;
            }
        }
        if (table.state.drawNumber != before + 1 || table.state.phase() != Phase::AwaitingDeal) {
            return false;
        }
    }
    return true;
}

// In a child process with the fault in place: an unlimited game of 60 draws,
// then a game of 50 draws to its end, then a new game. Exit status 0 when the
// errors came and the game went on through all of it.
int playWithFault(const fs::path& file, Fault fault) {
    const pid_t pid = ::fork();
    if (pid != 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
    }
    if (fault == Fault::FullDisk) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(10);
    } else if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        ::_exit(11);  // root writes anywhere: play as nobody
    }
    const std::string expected =
        fault == Fault::ReadOnlyFile
            ? "Erreur à définition des données pour 'verif'\nLe fichier "
              "des réglages '" +
                  file.string() + "' est en lecture seule"
            : "Erreur à définition des données pour 'verif'\nLe fichier '" + file.string() +
                  "' n'a pas pu être écrit : ";
    FixedClock clock(12345);
    FileStore store(file);
    SilentTable tableView;
    World world(clock, store, tableView);
    world.texts.setLanguage(Language::French);
    try {
        world.records.LoadSettings();  // reading needs no write
    } catch (const StoreError&) {
        ::_exit(12);
    }
    Statistics statistics(store, statisticsKeyOf(world.records.registryKey));
    std::atomic<int> refused = 0;
    statistics.setSaveRefusedNotice([&refused] { ++refused; });
    world.table.listen(statistics);
    Settings& s = world.records.settings;
    int errors = 0;
    s.targetIndex = kUnlimitedTarget;
    world.table.startNewGame();
    if (!playOn(world.table, 60, errors, expected)) ::_exit(13);
    if (errors == 0) ::_exit(14);
    const int first = errors;
    s.targetIndex = 1;
    world.table.startNewGame();
    errors = 0;
    if (!playOn(world.table, kTargetDraws[1], errors, expected)) ::_exit(15);
    if (world.table.allows(TableCommand::DealOrDraw)) ::_exit(16);
    // Each score entered is refused; a read-only file was said once.
    if (fault == Fault::ReadOnlyFile ? first != 1 || errors != 0 : errors != 1) ::_exit(18);
    world.table.startNewGame();
    if (!playOn(world.table, 3, errors, expected)) ::_exit(17);
    statistics.finishSaves();
    const std::optional<StoreError> error = statistics.takeSaveError();
    if (fault == Fault::ReadOnlyFile) {
        if (error || refused != 0) ::_exit(19);
    } else if (!error || refused < 1 || refused > 60 + kTargetDraws[1] + 3 ||
               !storeMessage(*error, Language::French)
                    .starts_with("Erreur à définition des données pour 'Type2'\nLe fichier '" +
                                 file.string() + "' n'a pas pu être écrit : ")) {
        ::_exit(20);
    }
    ::_exit(0);
}

class StoreFault : public ::testing::TestWithParam<Fault> {};

TEST_P(StoreFault, TheGameGoesOnAndTheFileKeepsWhatItHeld) {
    TempDir dir;
    const fs::path file = dir / "Caldimo/user.reg";
    {
        // Lists low enough for every score to enter.
        FixedClock clock;
        FileStore store(file);
        SilentTable tableView;
        World world(clock, store, tableView);
        world.records.LoadSettings();
        for (auto& type : world.records.settings.highScores)
            for (auto& list : type)
                for (HighScoreEntry& entry : list) entry.points = -1000000;
        world.records.SaveSettings();
    }
    const std::string before = readText(file);
    fs::remove(file.string() + ".lock");
    if (GetParam() == Fault::ReadOnlyFolder) {
        // The file stays writable for the player (nobody, when the tests run as root).
        if (::geteuid() == 0 && ::chown(file.c_str(), 65534, 65534) != 0) FAIL();
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_exec);
        fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::others_read | fs::perms::others_exec);
    } else if (GetParam() == Fault::ReadOnlyFile) {
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_exec);
        fs::permissions(file.parent_path(), fs::perms::all);
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    EXPECT_EQ(playWithFault(file, GetParam()), 0);
    fs::permissions(file.parent_path(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(readText(file), before);
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, StoreFault,
                         ::testing::Values(Fault::FullDisk, Fault::ReadOnlyFolder,
                                           Fault::ReadOnlyFile));

}  // namespace
}  // namespace brisko
