// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "helpers.h"
#include "records/file_store.h"
#include "records/registry_text.h"
#include "records/settings_table.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::bytes;
using test::kFixedTime;
using test::readText;
using test::RecordingView;
using test::TempDir;
using test::writeText;

struct FileFixture : ::testing::Test {
    TempDir dir;
    fs::path file = dir / "Caldimo/user.reg";
    int64_t clock = kFixedTime;
    FileStore store{file, [this] { return clock; }};
    RandomSource random;
    Texts texts;
    RecordingView view;
    Records records{store, random, texts, view};

    FileFixture() { texts.setLanguage(Language::French); }

    RegKey storedKey() {
        const RegTree tree = parseRegistryText(readText(file));
        const RegKey* key = tree.find("Software\\Caldimo\\BRISKO 99");
        return key ? *key : RegKey{};
    }
};

// Runs `body` in a child process; its exit status (0 when it returns true).
template <typename Body>
int inChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(FileFixture, FirstRunMatchesTheGoldenFileByteForByte) {
    records.LoadSettings();
    const std::string text = readText(file);
    const fs::path golden = fs::path(BRISKO_RECORDS_TEST_DATA) / "first_run_user.reg";
    if (std::getenv("BRISKO_UPDATE_GOLDEN") != nullptr) writeText(golden, text);
    EXPECT_EQ(text, readText(golden));

    // What the golden file holds, said once more in plain words.
    const RegKey key = storedKey();
    ASSERT_EQ(key.values.size(), 188u);
    for (size_t k = 0; k < 188; ++k) EXPECT_EQ(key.values[k].name, storedValues()[k].name);
    EXPECT_NE(text.find("\n\"verif\"=hex:01\n"), std::string::npos);
    EXPECT_NE(text.find("\n\"optionCouleurFondEcran\"=hex:00,00,40,00\n"), std::string::npos);
    EXPECT_NE(text.find("\n\"niveau\"=hex:02,00,00,00\n"), std::string::npos);
    EXPECT_NE(text.find("\n\"optionYourName\"=\"\"\n"), std::string::npos);
    EXPECT_NE(text.find("\n[Software\\\\Caldimo\\\\BRISKO 99] 1700000000\n"), std::string::npos);
    EXPECT_EQ(text.find("dword:"), std::string::npos);
    EXPECT_TRUE(text.starts_with("WINE REGISTRY Version 2\n"));
}

TEST_F(FileFixture, FoldersAreCreatedAndNothingElseIsLeft) {
    EXPECT_FALSE(fs::exists(file.parent_path()));
    records.LoadSettings();
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(fs::exists(store.lockPath()));
    EXPECT_FALSE(fs::exists(store.tempPath()));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(file.parent_path())) ++entries;
    EXPECT_EQ(entries, 2);  // the file and its lock
}

TEST(FileStorePath, FollowsXdgConfigHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", "/home/paul", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(defaultStorePath(), fs::path("/cfg/Caldimo/user.reg"));
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(defaultStorePath(), fs::path("/home/paul/.config/Caldimo/user.reg"));
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(defaultStorePath(), fs::path("/home/paul/.config/Caldimo/user.reg"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(defaultStorePath(), fs::path("/home/paul/.config/Caldimo/user.reg"));
    if (oldXdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (oldHome)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST_F(FileFixture, ANextRunReadsWhatWasSaved) {
    records.LoadSettings();
    records.settings.optionYourName = "Éloïse \"la\" \\ Zoë";
    records.settings.gameType = GameType{3};
    records.currentList()[1].name = "NOVÁK 😀";
    records.SaveSettings();

    FileStore again(file);
    Records next(again, random, texts, view);
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "Éloïse \"la\" \\ Zoë");
    EXPECT_EQ(next.settings.gameType, GameType{3});
    EXPECT_EQ(next.settings.highScores[3][1][1].name, "NOVÁK 😀");
    const std::string text = readText(file);
    for (const char c : text) ASSERT_LT(static_cast<unsigned char>(c), 128);
    EXPECT_NE(text.find("\"optionYourName\"=\"\\xc9lo\\xefse \\\"la\\\" \\\\ Zo\\xeb\"\n"),
              std::string::npos);
}

TEST_F(FileFixture, ALoadTakesOverAnotherCopysSave) {
    records.LoadSettings();
    FileStore otherStore(file);
    Records other(otherStore, random, texts, view);
    other.LoadSettings();
    other.settings.optionYourName = "MARC";
    other.SaveSettings();
    EXPECT_EQ(records.settings.optionYourName, "");
    records.LoadSettings();
    EXPECT_EQ(records.settings.optionYourName, "MARC");
}

TEST_F(FileFixture, UnknownKeysAndValuesAreKept) {
    const std::string before =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\User\\\\S-1-5-21-0\n"
        "#arch=win32\n"
        "\n"
        "[Software\\\\Caldimo\\\\Other Game] 1600000000\n"
        "#time=1d6ed1b7ebca000\n"
        "\"x\"=hex(b):01,02,03,04,05,06,07,08\n"
        "\n"
        "[Software\\\\Caldimo\\\\BRISKO 99] 1600000000\n"
        "#time=1d6ed1b7ebca000\n"
        "\"optionYourName\"=\"PAUL\"\n"
        "\"theme\"=str(2):\"%HOME%\\\\cards\"\n"
        "\"extra\" = hex:01,  02\n"
        "\n"
        "[Software\\\\Wine] 1600000001\n"
        "\"Version\"=\"win10\"\n";
    writeText(file, before);
    records.LoadSettings();  // no marker: resets and writes the defaults
    const std::string after = readText(file);
    EXPECT_TRUE(
        after.starts_with("WINE REGISTRY Version 2\n"
                          ";; All keys relative to \\\\User\\\\S-1-5-21-0\n"
                          "#arch=win32\n"
                          "\n"
                          "[Software\\\\Caldimo\\\\Other Game] 1600000000\n"
                          "#time=1d6ed1b7ebca000\n"
                          "\"x\"=hex(b):01,02,03,04,05,06,07,08\n"
                          "\n"
                          "[Software\\\\Caldimo\\\\BRISKO 99] 1700000000\n"
                          "#time=1da1747c66d0000\n"
                          "\"optionYourName\"=\"\"\n"
                          "\"theme\"=str(2):\"%HOME%\\\\cards\"\n"
                          "\"extra\" = hex:01,  02\n"
                          "\"verif\"=hex:01\n"))
        << after;
    EXPECT_TRUE(
        after.ends_with("\n[Software\\\\Wine] 1600000001\n"
                        "\"Version\"=\"win10\"\n"))
        << after;
    EXPECT_EQ(storedKey().values.size(), 190u);
}

TEST_F(FileFixture, WrongTypesInTheFileRaiseTheTypeError) {
    records.LoadSettings();
    std::string text = readText(file);
    const std::string from = "\"niveau\"=hex:02,00,00,00";
    text.replace(text.find(from), from.size(), "\"niveau\"=dword:00000002");
    writeText(file, text);
    try {
        records.LoadSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(), "Type de données incorrect pour 'niveau'");
    }
    EXPECT_EQ(readText(file), text);  // not rewritten
}

TEST_F(FileFixture, ADamagedFileIsSetAsideAndTheDefaultsWritten) {
    records.LoadSettings();
    records.settings.optionYourName = "PAUL";
    records.SaveSettings();
    std::string damaged = readText(file);
    damaged.insert(damaged.find("\"optionBarreInfo\""), "\x01garbage\n");
    writeText(file, damaged);
    const int line = 10;  // signature, comment, blank, key, time, then four values
    clock = kFixedTime + 3600;
    Records next(store, random, texts, view);  // the next run
    try {
        next.LoadSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(file.string()), std::string::npos) << message;
        EXPECT_NE(message.find("ligne " + std::to_string(line)), std::string::npos) << message;
        EXPECT_NE(message.find("user.reg.bad-20231114-231320"), std::string::npos) << message;
    }
    const fs::path aside = file.string() + ".bad-20231114-231320";
    EXPECT_EQ(readText(aside), damaged);
    // The load went on as if the key were absent: the defaults, written.
    EXPECT_EQ(next.settings.optionYourName, "");
    EXPECT_EQ(next.settings.verif, 1);
    EXPECT_GE(view.optionsShown, 1);
    EXPECT_EQ(storedKey().values.size(), 188u);
    EXPECT_EQ(storedKey().find("optionYourName")->data, stringData(""));

    // Once more in the same second: the first one set aside stays.
    writeText(file, "WINE REGISTRY Version 2\nnonsense\n");
    EXPECT_THROW(next.LoadSettings(), StoreError);
    EXPECT_EQ(readText(aside), damaged);
    EXPECT_EQ(readText(file.string() + ".bad-20231114-231320-2"),
              "WINE REGISTRY Version 2\nnonsense\n");
    EXPECT_NO_THROW(next.LoadSettings());
}

TEST_F(FileFixture, DamageFoundByAReloadDuringTheRunKeepsWhatTheProgramHolds) {
    records.LoadSettings();
    records.settings.optionYourName = "PAUL";
    records.currentList()[1] = {99999, "PAUL"};
    records.SaveSettings();
    writeText(file,
              "WINE REGISTRY Version 2\n[Software\\\\Caldimo\\\\BRISKO 99] 1\n\"verif\"=hex:zz\n");
    EXPECT_THROW(records.LoadSettings(), StoreError);  // the change-game dialog's reload
    EXPECT_EQ(records.settings.optionYourName, "PAUL");
    EXPECT_TRUE(readText(file.string() + ".bad-20231114-221320").ends_with("hex:zz\n"));
    FileStore again(file);
    Records next(again, random, texts, view);
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
    EXPECT_EQ(next.currentList()[1].points, 99999);
}

TEST_F(FileFixture, DamageFoundByASaveIsReportedAfterTheSave) {
    records.LoadSettings();
    writeText(file, "WINE REGISTRY Version 2\n[Software\\\\Caldimo\\\\BRISKO 99] 1\n\x01\n");
    records.settings.optionYourName = "PAUL";
    try {
        records.SaveSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("ligne 3"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::exists(file.string() + ".bad-20231114-221320"));
    EXPECT_EQ(storedKey().values.size(), 188u);
    EXPECT_EQ(storedKey().find("optionYourName")->data, stringData("PAUL"));
    EXPECT_NO_THROW(records.LoadSettings());  // reported once
    EXPECT_EQ(records.settings.optionYourName, "PAUL");
}

TEST_F(FileFixture, AnEmptyFileIsDamageToo) {
    writeText(file, "");
    EXPECT_THROW(records.LoadSettings(), StoreError);
    EXPECT_EQ(storedKey().values.size(), 188u);
}

// A folder the store cannot write into: the save raises the write error naming
// its first value, and the file stays exactly as it was. The tests run as
// root, whom file modes do not stop, so the save runs in a child that has
// given up root for "nobody".
TEST_F(FileFixture, AReadOnlyFolderLeavesTheFileIntact) {
    records.LoadSettings();
    const std::string before = readText(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    fs::permissions(file.parent_path(), fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read |
                                            fs::perms::others_exec);
    fs::permissions(dir.path(),
                    fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    fs::remove(store.lockPath());
    if (::geteuid() != 0) {
        fs::permissions(file.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
    }
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        FileStore mine(file);
        Records r(mine, random, texts, view);
        r.LoadSettings();  // reading is allowed
        if (r.settings.verif != 1) return false;
        r.settings.optionYourName = "PAUL";
        try {
            r.SaveSettings();
        } catch (const StoreError& error) {
            return std::string(error.what()) == "Erreur à définition des données pour 'verif'";
        }
        return false;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(file), before);
    EXPECT_FALSE(fs::exists(store.tempPath()));
}

// A full disk: the file size limit makes the temporary file's write fail
// half-way (EFBIG), like ENOSPC would.
TEST_F(FileFixture, AFullDiskLeavesTheFileIntact) {
    records.LoadSettings();
    const std::string before = readText(file);
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
        FileStore mine(file);
        Records r(mine, random, texts, view);
        r.LoadSettings();
        r.settings.optionYourName = "PAUL";
        try {
            r.SaveSettings();
        } catch (const StoreError& error) {
            return std::string(error.what()) == "Erreur à définition des données pour 'verif'";
        }
        return false;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(file), before);
    EXPECT_FALSE(fs::exists(store.tempPath()));
    // And the next save, with room, goes through.
    records.settings.optionYourName = "PAUL";
    records.SaveSettings();
    FileStore again(file);
    Records next(again, random, texts, view);
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
}

TEST_F(FileFixture, AWriteOutsideASaveGoesStraightToDisk) {
    store.openKey("Software\\Caldimo\\BRISKO 99\\");
    store.writeString("optionYourName", "PAUL");
    EXPECT_EQ(storedKey().values.size(), 1u);
    FileStore again(file);
    again.openKey("Software\\Caldimo\\BRISKO 99");
    EXPECT_EQ(again.readString("optionYourName"), "PAUL");
    uint8_t dest = 7;
    EXPECT_EQ(again.readBinary("verif", &dest, 1), 0u);
    EXPECT_EQ(dest, 7);
}

TEST_F(FileFixture, TheFileKeepsItsMode) {
    records.LoadSettings();
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    records.SaveSettings();
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace brisko
