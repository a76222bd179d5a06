// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/file_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <utility>

#include "records/registry_text.h"
#include "records/user_store.h"

namespace brisko {

namespace fs = std::filesystem;

namespace {

int64_t systemUnixSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::string systemError(const std::string& what, const fs::path& path) {
    return what + " '" + path.string() + "' : " + std::strerror(errno);
}

// The whole file, or nothing when it does not exist. Reading stops one byte
// past the largest file the parser takes, so a huge file costs no memory and
// is still seen as damage.
std::optional<std::string> readFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throw StoreError(systemError("Lecture impossible de", path));
    }
    std::string text;
    char buffer[16384];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            throw StoreError(systemError("Lecture impossible de", path));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > kMaxRegistryFileSize) break;
    }
    ::close(fd);
    return text;
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("write");
        text.remove_prefix(static_cast<size_t>(n));
    }
}

// Held while a save reads, merges and replaces the file, so two running copies
// take turns. flock: the kernel lets go when a holder dies, however it dies.
class FileLock {
  public:
    explicit FileLock(const fs::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) throw StoreError(systemError("Verrou impossible sur", path));
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd_);
            errno = saved;
            throw StoreError(systemError("Verrou impossible sur", path));
        }
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int fd_ = -1;
};

// Writes `text` to `temp`, syncs it, renames it over `file` and syncs the
// folder; on any failure `file` is untouched and `temp` removed.
void replaceFile(const fs::path& file, const fs::path& temp, std::string_view text) {
    mode_t mode = 0600;
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0) mode = existing.st_mode & 07777;
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) throw std::runtime_error("open");
    try {
        if (::fchmod(fd, mode) != 0) throw std::runtime_error("fchmod");
        writeAll(fd, text);
        if (::fsync(fd) != 0) throw std::runtime_error("fsync");
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw std::runtime_error("rename");
    }
    // The rename is done; syncing the folder makes it survive a power cut.
    // Some file systems refuse to sync a folder: the file is in place anyway.
    const int dir = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// A hive with no key yet, headed like Wine's own files.
RegTree emptyHive() {
    RegTree tree;
    tree.header.emplace_back(";; All keys relative to \\\\User");
    return tree;
}

}  // namespace

fs::path defaultStorePath() {
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* entry = ::getpwuid(::getuid());
            home = entry != nullptr ? entry->pw_dir : ".";
        }
        config = fs::path(home) / ".config";
    }
    return config / "Caldimo" / "user.reg";
}

FileStore::FileStore(fs::path file, TimeSource now)
    : file_(std::move(file)), now_(now ? std::move(now) : TimeSource(systemUnixSeconds)) {}

fs::path FileStore::lockPath() const {
    return fs::path(file_.string() + ".lock");
}
fs::path FileStore::tempPath() const {
    return fs::path(file_.string() + ".tmp");
}

void FileStore::openKey(const std::string& path) {
    const std::string key = normaliseKeyPath(path);
    if (key.empty()) throw StoreError("Clé de registre vide");
    loadFromDisk();
    key_ = key;
    currentKey();
    // Writes of a save under way stay on top of what was read.
    for (const Pending& p : pending_) tree_.create(p.key, now_()).set(p.value);
}

RegKey& FileStore::currentKey() {
    if (key_.empty()) throw StoreError("Aucune clé de registre ouverte");
    if (RegKey* key = tree_.find(key_)) return *key;
    return tree_.create(key_, now_());
}

void FileStore::loadFromDisk() {
    std::optional<std::string> text = readFile(file_);
    if (!text) {
        tree_ = emptyHive();
        return;
    }
    try {
        tree_ = parseRegistryText(*text);
        return;
    } catch (const RegistryParseError&) {
    }
    // Damaged: look again under the lock, as a save may just have replaced it.
    std::error_code ignored;
    fs::create_directories(file_.parent_path(), ignored);
    FileLock lock(lockPath());
    text = readFile(file_);
    tree_ = emptyHive();
    if (!text) return;
    try {
        tree_ = parseRegistryText(*text);
    } catch (const RegistryParseError& error) {
        setAside(error);
    }
}

void FileStore::setAside(const RegistryParseError& error) {
    const std::time_t seconds = static_cast<std::time_t>(now_());
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = file_.string() + ".bad-" + stamp;
    fs::path aside = base;
    // Never over an earlier one: nothing is deleted.
    for (int n = 2; fs::exists(aside); ++n) aside = base + "-" + std::to_string(n);
    if (::rename(file_.c_str(), aside.c_str()) != 0) {
        throw StoreError(
            systemError("Fichier de réglages illisible, impossible de le mettre de côté :", file_));
    }
    notice_ = "Fichier de réglages illisible : '" + file_.string() + "', ligne " +
              std::to_string(error.line()) + " (" + error.what() + "). Il est mis de côté sous '" +
              aside.string() + "'.";
}

std::string FileStore::takeNotice() {
    return std::exchange(notice_, {});
}

void FileStore::write(RegValue value) {
    currentKey().set(value);
    if (inSave_) {
        pending_.push_back({key_, std::move(value)});
    } else {
        commit({{key_, std::move(value)}});
    }
}

void FileStore::beginSave() {
    inSave_ = true;
    pending_.clear();
}

void FileStore::commitSave() {
    if (!inSave_) return;
    inSave_ = false;
    commit(std::exchange(pending_, {}));
}

void FileStore::commit(std::vector<Pending> pending) {
    if (pending.empty()) return;
    const std::string first = pending.front().value.name;
    try {
        fs::create_directories(file_.parent_path());
        FileLock lock(lockPath());
        // What is on disk now, another copy's last save included.
        RegTree merged = emptyHive();
        if (std::optional<std::string> text = readFile(file_)) {
            try {
                merged = parseRegistryText(*text);
            } catch (const RegistryParseError& error) {
                setAside(error);
                merged = tree_;
            }
        }
        const int64_t now = now_();
        for (Pending& p : pending) {
            RegKey& key = merged.create(p.key, now);
            key.set(std::move(p.value));
            key.modified = now;
            key.rawLine.clear();
        }
        replaceFile(file_, tempPath(), formatRegistryText(merged));
        tree_ = std::move(merged);
    } catch (const std::exception&) {
        throw StoreError(writeErrorMessage(first));
    }
}

std::unique_ptr<SettingsStore> makeUserStore() {
    return std::make_unique<FileStore>(defaultStorePath());
}

}  // namespace brisko
