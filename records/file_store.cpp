// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/file_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <thread>
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

// A step that failed, with what the player is told about it.
struct Failure {
    StoreProblem problem;
};

[[noreturn]] void fail(StoreProblem::Kind kind, const fs::path& path, int error = errno) {
    StoreProblem problem;
    problem.kind = kind;
    problem.path = path.string();
    problem.error = error;
    throw Failure{std::move(problem)};
}

// A path that exists and is not a plain file is never opened, renamed or
// replaced: a device, a FIFO that would hang the read, a folder.
void refuseUnlessPlainFile(const fs::path& path, const struct stat& st) {
    if (S_ISREG(st.st_mode)) return;
    StoreProblem problem;
    problem.kind = StoreProblem::Kind::NotAFile;
    problem.path = path.string();
    problem.fileType = st.st_mode;
    throw Failure{std::move(problem)};
}

// The file a path names, symbolic links followed to the last one's target,
// which may not exist yet.
fs::path finalTarget(const fs::path& file) {
    fs::path path = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code error;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

FileStore::Stamp stampOf(const struct stat& st) {
    FileStore::Stamp stamp;
    stamp.device = static_cast<uint64_t>(st.st_dev);
    stamp.inode = static_cast<uint64_t>(st.st_ino);
    stamp.size = static_cast<int64_t>(st.st_size);
    stamp.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

// The whole file, or nothing when it does not exist; `stamp`, when given, is
// that of the file read. Reading stops one byte past the largest file the
// parser takes, so a huge file costs no memory and is still seen as damage.
std::optional<std::string> readFile(const fs::path& path, FileStore::Stamp* stamp = nullptr) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(StoreProblem::Kind::ReadFailed, path);
    }
    refuseUnlessPlainFile(path, st);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(StoreProblem::Kind::ReadFailed, path);
    }
    std::string text;
    try {
        // It may have been swapped for something else since the look above.
        if (::fstat(fd, &st) != 0) fail(StoreProblem::Kind::ReadFailed, path);
        refuseUnlessPlainFile(path, st);
        if (stamp) *stamp = stampOf(st);
        char buffer[16384];
        while (true) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail(StoreProblem::Kind::ReadFailed, path);
            if (n == 0) break;
            text.append(buffer, static_cast<size_t>(n));
            if (text.size() > kMaxRegistryFileSize) break;
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return text;
}

void writeAll(int fd, std::string_view text, const fs::path& path) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(StoreProblem::Kind::WriteFailed, path, n < 0 ? errno : ENOSPC);
        text.remove_prefix(static_cast<size_t>(n));
    }
}

void syncFolder(const fs::path& folder) {
    // Some file systems refuse to sync a folder: the file is in place anyway.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Held while a save reads, merges and replaces the file, so two running copies
// take turns. flock: the kernel lets go when a holder dies, however it dies.
// A holder that keeps it past `timeout` makes the save give up.
// Its failures name `file`, the file it guards: that is what the player knows.
class FileLock {
  public:
    FileLock(const fs::path& path, const fs::path& file, std::chrono::milliseconds timeout) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) fail(StoreProblem::Kind::WriteFailed, file);
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EINTR) continue;
            if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                ::close(fd_);
                if (error != EWOULDBLOCK) fail(StoreProblem::Kind::WriteFailed, file, error);
                StoreProblem problem;
                problem.kind = StoreProblem::Kind::Locked;
                problem.path = path.string();
                problem.seconds = static_cast<int>((timeout.count() + 999) / 1000);
                throw Failure{std::move(problem)};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int fd_ = -1;
};

// Writes `text` to `temp`, syncs it, renames it over `file` and syncs the
// folder; on any failure `file` is untouched and `temp` removed. The stamp of
// the new file.
FileStore::Stamp replaceFile(const fs::path& file, const fs::path& temp, std::string_view text) {
    mode_t mode = 0600;
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0) mode = existing.st_mode & 07777;
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) fail(StoreProblem::Kind::WriteFailed, file);
    struct stat written {};
    try {
        if (::fchmod(fd, mode) != 0) fail(StoreProblem::Kind::WriteFailed, file);
        writeAll(fd, text, file);
        if (::fsync(fd) != 0) fail(StoreProblem::Kind::WriteFailed, file);
        // The rename keeps the inode, size and modification time.
        if (::fstat(fd, &written) != 0) fail(StoreProblem::Kind::WriteFailed, file);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(StoreProblem::Kind::WriteFailed, file, error);
    }
    syncFolder(file.parent_path());
    return stampOf(written);
}

// A hive with no key yet, headed like Wine's own files.
RegTree emptyHive() {
    RegTree tree;
    tree.header.emplace_back(";; All keys relative to \\\\User");
    return tree;
}

RegTree orEmpty(RegTree tree) {
    return tree.header.empty() && tree.keys.empty() ? emptyHive() : tree;
}

fs::path beside(const fs::path& target, const char* suffix) {
    return fs::path(target.string() + suffix);
}

// The player's way to keep the lists as they are: a file without any write
// permission (or one this user may not write).
bool readOnly(const fs::path& file, const struct stat& st) {
    return (st.st_mode & 0222) == 0 || (::access(file.c_str(), W_OK) != 0 && errno == EACCES);
}

// An earlier copy "<file>.bad-*" holding exactly `text`, or nothing.
std::optional<fs::path> sameCopy(const fs::path& file, std::string_view text) {
    const std::string prefix = file.filename().string() + ".bad-";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(file.parent_path(), error)) {
        const fs::path& path = entry.path();
        if (!path.filename().string().starts_with(prefix)) continue;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            static_cast<size_t>(st.st_size) != text.size()) {
            continue;
        }
        try {
            if (readFile(path) == text) return path;
        } catch (const Failure&) {
        }
    }
    return std::nullopt;
}

// Keeps `text`, the damaged file's bytes, in "<file>.bad-<time>" (UTC; "-2",
// "-3", ... after an earlier one of that second), or finds it kept already.
// A copy that cannot be written whole is removed: never an empty one.
fs::path keepDamaged(const fs::path& file, std::string_view text, int64_t now) {
    if (std::optional<fs::path> kept = sameCopy(file, text)) return *kept;
    const std::time_t seconds = static_cast<std::time_t>(now);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = file.string() + ".bad-" + stamp;
    for (int n = 1;; ++n) {
        const fs::path copy = n == 1 ? fs::path(base) : fs::path(base + "-" + std::to_string(n));
        // Never over an earlier one: nothing is deleted.
        const int fd =
            ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) fail(StoreProblem::Kind::WriteFailed, copy);
        try {
            writeAll(fd, text, copy);
            if (::fsync(fd) != 0) fail(StoreProblem::Kind::WriteFailed, copy);
        } catch (...) {
            ::close(fd);
            ::unlink(copy.c_str());
            throw;
        }
        if (::close(fd) != 0) {
            const int error = errno;
            ::unlink(copy.c_str());
            fail(StoreProblem::Kind::WriteFailed, copy, error);
        }
        return copy;
    }
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

FileStore::~FileStore() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !busy_; });
        stopping_ = true;
    }
    changed_.notify_all();
    if (saver_.joinable()) saver_.join();
}

void FileStore::finishSaves() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    lock.unlock();
    takeWhatTheSaverRead();
}

bool FileStore::saving() {
    const std::lock_guard lock(mutex_);
    return busy_;
}

void FileStore::takeWhatTheSaverRead() {
    if (!reread_) return;
    reread_ = false;
    if (!disk_.known) return;
    // Every save handed over has landed in it.
    tree_ = disk_.tree;
}

// Whether the file is still the one of `disk_`. A change made within the
// same tick of the file system's clock as the stamp keeps the stamp: until
// that tick is well past, the text is read and compared too.
bool FileStore::stillOnDisk(const fs::path& file) {
    if (!disk_.known) return false;
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !(stampOf(st) == disk_.stamp))
        return false;
    if (disk_.settled) return true;
    const std::optional<std::string> text = readFile(file);
    if (!text || *text != disk_.text) return false;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // Two seconds: the coarsest clock of the file systems a home lives on.
    disk_.settled = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec >
                    disk_.stamp.modified + 2000000000;
    return true;
}

fs::path FileStore::target() const {
    return finalTarget(file_);
}
fs::path FileStore::lockPath() const {
    return beside(target(), ".lock");
}
fs::path FileStore::tempPath() const {
    return beside(target(), ".tmp");
}

void FileStore::openKey(const std::string& path) {
    const std::string key = normaliseKeyPath(path);
    if (key.empty()) throw StoreError("Clé de registre vide");
    // While a save is on its way the reads already see it, and the disk is
    // the saver's: another copy's values are taken over at the next load.
    if (!saving()) {
        takeWhatTheSaverRead();
        try {
            loadFromDisk();
        } catch (const Failure& failure) {
            throw StoreError("", failure.problem);
        }
    }
    key_ = key;
    currentKey();
    // Writes of a save under way stay on top of what was read.
    for (const Pending& p : pending()) tree_.create(p.key, now_()).set(p.value);
}

RegKey& FileStore::currentKey() {
    if (key_.empty()) throw StoreError("Aucune clé de registre ouverte");
    if (RegKey* key = tree_.find(key_)) return *key;
    return tree_.create(key_, now_());
}

void FileStore::loadFromDisk() {
    const fs::path file = target();
    // The reads see it already.
    if (stillOnDisk(file)) return;
    disk_.known = false;
    Stamp stamp;
    std::optional<std::string> text = readFile(file, &stamp);
    if (!text) {
        tree_ = emptyHive();
        return;
    }
    RegistryText read = readRegistryText(*text);
    tree_ = orEmpty(std::move(read.tree));
    if (!read.damagedLines.empty()) {
        // Only a save replaces the file, after keeping a copy of it; until
        // then every load reads it and tells of it again.
        StoreProblem problem;
        problem.kind = StoreProblem::Kind::Damaged;
        problem.path = file.string();
        problem.line = read.damagedLines.front();
        notice_ = std::move(problem);
        return;
    }
    disk_ = {true, false, stamp, std::move(*text), tree_};
}

std::string FileStore::keepCopy() {
    finishSaves();
    const fs::path file = target();
    try {
        const std::optional<std::string> text = readFile(file);
        if (!text) return {};
        return keepDamaged(file, *text, now_()).string();
    } catch (const Failure& failure) {
        throw StoreError("", failure.problem);
    }
}

std::optional<StoreProblem> FileStore::takeNotice() {
    finishSaves();
    return std::exchange(notice_, std::nullopt);
}

void FileStore::commit(std::vector<Pending> pending) {
    if (pending.empty()) return;
    finishSaves();
    writeToDisk(std::move(pending), now_());
    reread_ = false;
    tree_ = disk_.tree;
}

// The window never waits: a save not yet begun takes this one's writes on
// top of its own, and lands with them right after the one being written.
void FileStore::commitLater(std::vector<Pending> pending, const Refusal& refused) {
    if (pending.empty()) return;
    const int64_t now = now_();
    for (const Pending& p : pending) tree_.create(p.key, now).set(p.value);
    {
        const std::lock_guard lock(mutex_);
        if (job_) {
            for (Pending& p : pending) {
                const auto same =
                    std::find_if(job_->writes.begin(), job_->writes.end(), [&p](const Pending& q) {
                        return q.key == p.key && q.value.name == p.value.name;
                    });
                if (same == job_->writes.end()) {
                    job_->writes.push_back(std::move(p));
                } else {
                    same->value = std::move(p.value);
                }
            }
            job_->refused = refused;
            job_->now = now;
        } else {
            job_ = Job{std::move(pending), refused, now};
        }
        busy_ = true;
        if (!saver_.joinable()) saver_ = std::thread([this] { saveLoop(); });
    }
    changed_.notify_all();
}

void FileStore::saveLoop() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return job_.has_value() || stopping_; });
        if (!job_) return;
        Job job = std::move(*job_);
        job_.reset();
        lock.unlock();
        const std::string first = job.writes.front().value.name;
        try {
            writeToDisk(std::move(job.writes), job.now);
        } catch (const StoreError& error) {
            job.refused(error);
        } catch (...) {
            // Never taken for a save that landed.
            job.refused(StoreError(writeErrorMessage(first)));
        }
        lock.lock();
        busy_ = job_.has_value();
        changed_.notify_all();
    }
}

void FileStore::writeToDisk(std::vector<Pending> pending, int64_t now) {
    const std::string first = pending.front().value.name;
    const fs::path file = target();
    try {
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0) {
            refuseUnlessPlainFile(file, st);
            if (readOnly(file, st)) fail(StoreProblem::Kind::ReadOnly, file, EACCES);
        }
        std::error_code error;
        fs::create_directories(file.parent_path(), error);
        if (error) fail(StoreProblem::Kind::WriteFailed, file.parent_path(), error.value());
        FileLock lock(lockPath(), file, lockTimeout_);
        // What is on disk now, another copy's last save included: read again
        // only when the file changed since this store last read or wrote it.
        if (!stillOnDisk(file)) {
            disk_.known = false;
            reread_ = true;
            RegTree merged = emptyHive();
            if (std::optional<std::string> text = readFile(file)) {
                RegistryText read = readRegistryText(*text);
                if (!read.damagedLines.empty()) {
                    // Its damaged lines go: a copy keeps them first.
                    StoreProblem problem;
                    problem.kind = StoreProblem::Kind::Damaged;
                    problem.path = file.string();
                    problem.line = read.damagedLines.front();
                    problem.copy = keepDamaged(file, *text, now).string();
                    notice_ = std::move(problem);
                }
                merged = orEmpty(std::move(read.tree));
            }
            disk_.tree = std::move(merged);
        }
        // Not the file's until it has replaced it.
        disk_.known = false;
        for (Pending& p : pending) {
            RegKey& key = disk_.tree.create(p.key, now);
            key.set(std::move(p.value));
            key.modified = now;
            key.rawLine.clear();
        }
        disk_.text = formatRegistryText(disk_.tree);
        disk_.stamp = replaceFile(file, tempPath(), disk_.text);
        disk_.settled = false;
        disk_.known = true;
    } catch (const Failure& failure) {
        StoreProblem problem = failure.problem;
        problem.value = first;
        throw StoreError(writeErrorMessage(first), std::move(problem));
    }
}

void writeWholeFile(const fs::path& path, std::string_view text, const fs::path& store) {
    try {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
            refuseUnlessPlainFile(path, st);
        struct stat mine {};
        struct stat theirs {};
        std::error_code ignored;
        const bool same =
            (::stat(path.c_str(), &mine) == 0 && ::stat(store.c_str(), &theirs) == 0 &&
             mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino) ||
            (!store.empty() &&
             fs::weakly_canonical(path, ignored) == fs::weakly_canonical(store, ignored));
        if (same) {
            StoreProblem problem;
            problem.kind = StoreProblem::Kind::TheStore;
            problem.path = path.string();
            throw Failure{std::move(problem)};
        }
        std::string pattern = path.string() + ".tmp-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) fail(StoreProblem::Kind::WriteFailed, path);
        const fs::path temp = pattern;
        try {
            if (::fchmod(fd, 0644) != 0) fail(StoreProblem::Kind::WriteFailed, path);
            writeAll(fd, text, path);
            if (::fsync(fd) != 0) fail(StoreProblem::Kind::WriteFailed, path);
        } catch (...) {
            ::close(fd);
            ::unlink(temp.c_str());
            throw;
        }
        if (::close(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
            const int error = errno;
            ::unlink(temp.c_str());
            fail(StoreProblem::Kind::WriteFailed, path, error);
        }
        syncFolder(path.parent_path());
    } catch (const Failure& failure) {
        throw StoreError("", failure.problem);
    }
}

std::unique_ptr<SettingsStore> makeUserStore() {
    return std::make_unique<FileStore>(defaultStorePath());
}

}  // namespace brisko
