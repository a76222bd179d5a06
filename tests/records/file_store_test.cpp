// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>

#include "helpers.h"
#include "records/file_store.h"
#include "records/registry_text.h"
#include "records/settings_table.h"
#include "records/store_messages.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::bytes;
using test::kFixedTime;
using test::readText;
using test::TempDir;
using test::writeText;

struct FileFixture : ::testing::Test {
    TempDir dir;
    fs::path file = dir / "Caldimo/user.reg";
    int64_t clock = kFixedTime;
    FileStore store{file, [this] { return clock; }};
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};

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
    Records next(again, random, texts);
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
    Records other(otherStore, random, texts);
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

// A value of the wrong type or length is named with the file, copied aside
// with the file, and written back mended; the next start finds nothing wrong.
TEST_F(FileFixture, WrongTypesInTheFileAreToldCopiedAsideAndMended) {
    records.LoadSettings();
    const std::string clean = readText(file);
    std::string text = clean;
    const std::string from = "\"niveau\"=hex:02,00,00,00";
    text.replace(text.find(from), from.size(), "\"niveau\"=dword:00000002");
    text.replace(text.find("\"verif\"=hex:01"), 14, "\"verif\"=hex:");
    writeText(file, text);
    try {
        records.LoadSettings();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_EQ(
            std::string(error.what()),
            "Type de données incorrect pour 'verif'\n"
            "Type de données incorrect pour 'niveau'\n"
            "Les réglages '" +
                file.string() +
                "' contiennent des valeurs d'un type ou d'une longueur incorrects. "
                "Illisibles : 'verif' et 'niveau'. 'verif' et 'niveau' prennent leur valeur par "
                "défaut. Tout le reste est gardé. Une copie du fichier abîmé est gardée "
                "sous '" +
                file.string() + ".bad-20231114-221320'.");
    }
    EXPECT_EQ(readText(file.string() + ".bad-20231114-221320"), text);
    EXPECT_EQ(readText(file), clean);
    FileStore again(file);
    Records next(again, random, texts);
    EXPECT_NO_THROW(next.LoadSettings());
}

// A damaged file: every value that reads cleanly is kept, the damaged ones
// count as absent, a copy of the file stays beside it, and the player is
// told once, in the chosen language. A byte-order mark and NULs at the end
// are no damage.
struct Damage {
    const char* what;
    std::string (*damage)(std::string text);
    bool told;
    const char* lost;  // the value that no longer reads, or ""
};

std::string insertBefore(std::string text, const char* value, const std::string& lines) {
    return text.insert(text.find(std::string("\"") + value + "\""), lines);
}
std::string cutInside(std::string text, const char* value, size_t keep) {
    return text.substr(0, text.find(std::string("\"") + value + "\"") + keep);
}

const Damage kDamages[] = {
    {"byte-order mark", [](std::string t) { return "\xEF\xBB\xBF" + t; }, false, ""},
    {"NULs at the end", [](std::string t) { return t + std::string(300, '\0'); }, false, ""},
    {"garbage line", [](std::string t) { return insertBefore(t, "optionBarreInfo", "\x01zz\n"); },
     true, ""},
    {"over-long line",
     [](std::string t) { return insertBefore(t, "niveau", ";" + std::string(70000, 'x') + "\n"); },
     true, ""},
    {"NUL inside a line",
     [](std::string t) { return insertBefore(t, "score112", std::string("\"x\"=\"\0\"\n", 8)); },
     true, ""},
    {"odd hex digits",
     [](std::string t) {
         const size_t at = t.find("\"score235\"=hex:") + 16;
         return t.erase(at, 1);
     },
     true, "score235"},
    {"cut inside a hex value", [](std::string t) { return cutInside(t, "score111", 16); }, true,
     "score111"},
    {"cut after a comma", [](std::string t) { return cutInside(t, "score111", 18); }, true,
     "score111"},
    {"cut inside a string", [](std::string t) { return cutInside(t, "optionYourName", 20); }, true,
     "optionYourName"},
    {"cut inside a key line", [](std::string t) { return t.substr(0, t.find("[Software") + 12); },
     true, ""},
};

class DamagedFile : public FileFixture, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFile, KeepsWhatReadsCleanlyAndACopyAndTellsOnce) {
    const Damage& d = GetParam();
    records.LoadSettings();
    records.settings.optionYourName = "PAUL";
    records.settings.highScores[1][1][1] = {999999, "PAUL"};
    records.settings.highScores[3][6][5] = {-5, "LAST"};
    records.SaveSettings();
    const std::string damaged = d.damage(readText(file));
    writeText(file, damaged);
    clock = kFixedTime + 3600;
    texts.setLanguage(Language::None);
    Records next(store, random, texts);  // the next run, language not chosen yet
    std::string message;
    try {
        next.LoadSettings();
    } catch (const StoreError& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "") << "told before a language was chosen";
    texts.setLanguage(Language::English);
    try {
        next.LoadSettings();  // the change-game dialog's load
    } catch (const StoreError& error) {
        message = error.what();
    }
    const fs::path copy = file.string() + ".bad-20231114-231320";
    if (d.told) {
        EXPECT_NE(message.find("The settings file '" + file.string() + "' was damaged"),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find("'" + copy.string() + "'"), std::string::npos) << message;
        EXPECT_EQ(readText(copy), damaged);
    } else {
        EXPECT_EQ(message, "");
        EXPECT_FALSE(fs::exists(copy));
    }
    const bool cut = std::string(d.what).starts_with("cut");
    if (std::string_view(d.lost) != "optionYourName" && !cut) {
        EXPECT_EQ(next.settings.optionYourName, "PAUL");
    }
    if (std::string_view(d.lost) != "score111" && !std::string(d.what).ends_with("key line")) {
        EXPECT_EQ(next.settings.highScores[1][1][1].points, 999999);
    }
    if (!cut) {
        EXPECT_EQ(next.settings.highScores[3][6][5].name, "LAST");
    }
    // Once told, never again: the file now reads cleanly.
    FileStore again(file);
    Records third(again, random, texts);
    EXPECT_NO_THROW(third.LoadSettings());
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedFile, ::testing::ValuesIn(kDamages), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
});

// Not a plain file: never read (a FIFO would hang), renamed or replaced.
TEST_F(FileFixture, APathThatIsNotAPlainFileIsRefusedByName) {
    for (const char* kind : {"fifo", "folder"}) {
        const fs::path odd = dir / kind;
        if (std::string_view(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(odd.c_str(), 0600), 0);
        } else {
            fs::create_directory(odd);
        }
        FileStore oddStore(odd);
        Records r(oddStore, random, texts);
        try {
            r.LoadSettings();
            ADD_FAILURE() << kind;
        } catch (const StoreError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + odd.string() + "'"), std::string::npos);
            EXPECT_NE(std::string(error.what()).find("pas un fichier ordinaire"),
                      std::string::npos);
        }
        EXPECT_EQ(r.settings.gameType, kDefaultGameType);
        EXPECT_THROW(r.SaveSettings(), StoreError);
        EXPECT_EQ(fs::symlink_status(odd).type(), std::string_view(kind) == "fifo"
                                                      ? fs::file_type::fifo
                                                      : fs::file_type::directory);
        int siblings = 0;
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            siblings += entry.path().string().starts_with(odd.string() + ".bad") ? 1 : 0;
        }
        EXPECT_EQ(siblings, 0);
    }
}

// A damaged file on a full disk: no copy can be made, so nothing is written
// over it, the player is told why, and no empty copy is left behind, however
// often the game loads and saves.
TEST_F(FileFixture, ADamagedFileOnAFullDiskLeavesNoEmptyCopy) {
    records.LoadSettings();
    records.settings.optionYourName = "PAUL";
    records.SaveSettings();
    std::string text = readText(file);
    text.insert(text.find("\"niveau\""), "\x01zz\n");
    writeText(file, text);
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
        std::string told;
        for (int run = 0; run < 3; ++run) {
            FileStore mine(file);
            Records r(mine, random, texts);
            try {
                r.LoadSettings();
            } catch (const StoreError& error) {
                told = error.what();
            }
            if (r.settings.optionYourName != "PAUL") return false;
            try {
                r.SaveSettings();
            } catch (const StoreError&) {
            }
        }
        return told.find(
                   "Aucune copie n'a pu en être faite (fichier trop grand pour le "
                   "système) : rien n'est écrit par-dessus.") != std::string::npos;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(file), text);
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("user.reg.bad-")) << entry.path();
    }
}

// A damaged file that cannot be mended yet (a lock held elsewhere) is copied
// once, whatever the number of tries.
TEST_F(FileFixture, ADamagedFileIsCopiedOnce) {
    records.LoadSettings();
    std::string text = readText(file);
    text.insert(text.find("\"niveau\""), "\x01zz\n");
    writeText(file, text);
    const int held = ::open(store.lockPath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    for (int run = 0; run < 3; ++run) {
        clock = kFixedTime + run;
        FileStore mine(file, [this] { return clock; });
        mine.setLockTimeout(std::chrono::milliseconds(10));
        Records r(mine, random, texts);
        EXPECT_THROW(r.LoadSettings(), StoreError);
    }
    ::close(held);
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        if (!entry.path().filename().string().starts_with("user.reg.bad-")) continue;
        ++copies;
        EXPECT_EQ(readText(entry.path()), text);
    }
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(readText(file), text);
}

// A store reached through a symbolic link (a dotfiles folder): the link stays
// and its target gets every save.
TEST_F(FileFixture, ASymbolicLinkStaysAndItsTargetIsSaved) {
    const fs::path real = dir / "dotfiles/brisko.reg";
    fs::create_directories(real.parent_path());
    fs::create_directories(file.parent_path());
    fs::create_symlink("../dotfiles/brisko.reg", file);  // dangling until the first save
    records.LoadSettings();
    records.settings.optionYourName = "PAUL";
    records.SaveSettings();
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_NE(readText(real).find("\"optionYourName\"=\"PAUL\""), std::string::npos);
}

// A save lock another program keeps: the save gives up, says why, and writes
// nothing.
TEST_F(FileFixture, ALockHeldElsewhereMakesTheSaveGiveUp) {
    records.LoadSettings();
    const std::string before = readText(file);
    const int fd = ::open(store.lockPath().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    store.setLockTimeout(std::chrono::milliseconds(30));
    records.settings.optionYourName = "PAUL";
    try {
        records.SaveSettings();
        ADD_FAILURE() << "no error";
    } catch (const StoreError& error) {
        EXPECT_TRUE(std::string(error.what())
                        .starts_with("Erreur à définition des données pour 'verif'\nLe fichier '" +
                                     store.lockPath().string() + "' est verrouillé"))
            << error.what();
    }
    ::close(fd);
    EXPECT_EQ(readText(file), before);
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
    } else {
        // The file stays the player's own, which nobody plays as.
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        FileStore mine(file);
        Records r(mine, random, texts);
        r.LoadSettings();  // reading is allowed
        if (r.settings.verif != 1) return false;
        r.settings.optionYourName = "PAUL";
        try {
            r.SaveSettings();
        } catch (const StoreError& error) {
            // The file, not its lock beside it, that could not be written.
            return std::string(error.what()) ==
                   "Erreur à définition des données pour 'verif'\nLe fichier '" + file.string() +
                       "' n'a pas pu être écrit : permission refusée. L'enregistrement de "
                       "'verif' est abandonné : les réglages gardent ce qu'ils avaient, et le jeu "
                       "continue.";
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
        Records r(mine, random, texts);
        r.LoadSettings();
        r.settings.optionYourName = "PAUL";
        try {
            r.SaveSettings();
        } catch (const StoreError& error) {
            return std::string(error.what()) ==
                   "Erreur à définition des données pour 'verif'\nLe fichier '" + file.string() +
                       "' n'a pas pu être écrit : fichier trop grand pour le système. "
                       "L'enregistrement de 'verif' est abandonné : les réglages gardent ce "
                       "qu'ils avaient, et le jeu continue.";
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
    Records next(again, random, texts);
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

// A save handed to the store's thread: the reads see it at once, a refusal
// (here another program's lock) comes to the caller's function once and is
// never raised, the file keeps what it held; the saves land in order.
TEST_F(FileFixture, ASaveInTheBackgroundLandsInOrderOrIsRefusedOnce) {
    records.LoadSettings();
    const std::string before = readText(file);
    const int fd = ::open(store.lockPath().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    store.setLockTimeout(std::chrono::milliseconds(30));
    std::vector<std::string> refusals;
    const auto save = [&](const char* name, uint32_t value) {
        store.openKey("Software\\Caldimo\\BRISKO 99\\Statistics");
        store.beginSave();
        store.writeBinary(name, &value, 4);
        store.commitSaveInBackground([&](const StoreError& error) {
            refusals.push_back(storeMessage(error, Language::English));
        });
    };
    save("count", 1);
    uint32_t read = 0;
    EXPECT_EQ(store.readBinary("count", &read, 4), 4u);
    EXPECT_EQ(read, 1u);
    store.finishSaves();
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0], "Erreur à définition des données pour 'count'\nThe file '" +
                               store.lockPath().string() +
                               "' has been locked by another program for 1 seconds: nothing was "
                               "written.");
    EXPECT_EQ(readText(file), before);

    // The lock still held, the saves wait on the store's thread, never on
    // the caller's: a call that waited would see the lock's time run out and
    // the save refused. The later ones join in one save.
    store.setLockTimeout(std::chrono::seconds(10));
    save("count", 2);
    save("other", 3);
    save("count", 4);
    EXPECT_EQ(store.readBinary("count", &read, 4), 4u);
    EXPECT_EQ(read, 4u);
    ::close(fd);
    records.settings.optionYourName = "PAUL";
    records.SaveSettings();
    EXPECT_EQ(refusals.size(), 1u);
    FileStore again(file);
    again.openKey("Software\\Caldimo\\BRISKO 99\\Statistics");
    EXPECT_EQ(again.readBinary("count", &read, 4), 4u);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(again.readBinary("other", &read, 4), 4u);
    EXPECT_EQ(read, 3u);
    Records next(again, random, texts);
    next.LoadSettings();
    EXPECT_EQ(next.settings.optionYourName, "PAUL");
}

// The file is read again only when it changed: a change in place by another
// program, of the same size and inode, is seen by the next load and kept by
// the next save.
TEST_F(FileFixture, AChangeInPlaceOfTheSameSizeIsSeen) {
    records.LoadSettings();
    const auto changeInPlace = [&](const std::string& from, const std::string& to) {
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        std::string text = readText(file);
        text.replace(text.find(from), from.size(), to);
        writeText(file, text);
        struct stat after {};
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        ASSERT_EQ(after.st_ino, st.st_ino);
        ASSERT_EQ(after.st_size, st.st_size);
    };
    changeInPlace("\"optionBarreInfo\"=hex:01", "\"optionBarreInfo\"=hex:00");
    records.LoadSettings();
    EXPECT_EQ(records.settings.optionBarreInfo, 0);

    changeInPlace("\"optionDoublagePropose\"=hex:01", "\"optionDoublagePropose\"=hex:00");
    store.openKey("Software\\Caldimo\\BRISKO 99\\Statistics");
    store.beginSave();
    const uint32_t value = 7;
    store.writeBinary("count", &value, 4);
    store.commitSaveInBackground([](const StoreError&) { ADD_FAILURE(); });
    store.finishSaves();
    EXPECT_EQ(storedKey().find("optionDoublagePropose")->data, bytes({0}));
    EXPECT_EQ(storedKey().find("optionBarreInfo")->data, bytes({0}));
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
