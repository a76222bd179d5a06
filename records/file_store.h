// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store of systems without a registry: one per-user file in
// Wine's registry format standing in for HKEY_CURRENT_USER.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "records/key_store.h"
#include "records/registry.h"
#include "records/registry_text.h"
#include "records/store.h"

namespace brisko {

// $XDG_CONFIG_HOME/Caldimo/user.reg, $XDG_CONFIG_HOME being ~/.config when
// unset (or not an absolute path, as the XDG rules say).
std::filesystem::path defaultStorePath();

// Writes `text` as the file `path` the way the store saves: to a new
// temporary file beside it, synced, then renamed over it. A symbolic link at
// `path` is replaced by the file, never written through; a folder, FIFO,
// device or socket is refused without being opened, and so is the file
// `store` (its links followed). A failure leaves `path` as it was and raises
// StoreError with an empty text and its problem.
void writeWholeFile(const std::filesystem::path& path, std::string_view text,
                    const std::filesystem::path& store);

// Every openKey looks at the file again, so a load sees what another running
// copy saved, unless a save of this store is still on its way. Writes go to
// disk at commitSave (or at once outside a save), in one step: under the lock
// file "<file>.lock", the file is read again, the writes are put into it, and
// the whole text goes to "<file>.tmp", is synced, and is renamed over the
// file; the folder is synced last. Both read the file only when it changed
// since this store last read or wrote it (another inode, size or modification
// time; within the file system's clock tick of the last read or write,
// another text). commitSaveInBackground hands that step to the store's own
// thread and never waits: a save handed over while another is being written
// waits for it, and the next ones join it. A failure leaves the file as it
// was and raises the write error naming the first value of the save, with the
// file and the system's reason. Keys and values the program does not write
// are kept as they were. A symbolic link is followed: its last target is the
// file, replaced in place, and the link stays. A path that is not a plain
// file (a folder, a FIFO, a device) is never read, renamed or replaced, and a
// read-only file is never replaced (StoreProblem::Kind::ReadOnly). A file
// with damaged lines reads as what reads cleanly, and openKey says so
// (takeNotice); the first save that replaces it keeps a copy of it whole in
// "<file>.bad-<time>" first, or uses the copy of the same bytes kept before.
class FileStore : public KeyStore {
  public:
    using TimeSource = std::function<int64_t()>;  // unix seconds

    // `now` stamps the changed keys and names the copy of a damaged file; the
    // system clock when empty.
    explicit FileStore(std::filesystem::path file, TimeSource now = {});
    // Waits for the save on its way.
    ~FileStore() override;
    FileStore(const FileStore&) = delete;
    FileStore& operator=(const FileStore&) = delete;

    // How long a save waits for another program's lock before giving up.
    void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }

    void openKey(const std::string& path) override;
    void finishSaves() override;
    // Set when openKey found the file damaged (the file and its first damaged
    // line), or a commit replaced a damaged file (and where the copy is).
    std::optional<StoreProblem> takeNotice() override;
    // The file as it is now in "<file>.bad-<time>", unless a copy of the same
    // bytes is there already; nothing when there is no file.
    std::string keepCopy() override;
    std::string location() const override { return target().string(); }

    const std::filesystem::path& path() const { return file_; }
    // The file itself: the path with its symbolic links followed.
    std::filesystem::path target() const;
    std::filesystem::path lockPath() const;
    std::filesystem::path tempPath() const;
    // The hive as last read or written.
    const RegTree& tree() const { return tree_; }

    // What tells that the file changed: its device, inode, size and
    // modification time (nanoseconds).
    struct Stamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t modified = 0;
        bool operator==(const Stamp&) const = default;
    };

  private:
    RegKey& currentKey() override;
    const std::string& currentPath() const override { return key_; }
    void loadFromDisk();
    void commit(std::vector<Pending> pending) override;
    void commitLater(std::vector<Pending> pending, const Refusal& refused) override;
    // The step of a commit, on whichever thread saves.
    void writeToDisk(std::vector<Pending> pending, int64_t now);
    void saveLoop();
    bool stillOnDisk(const std::filesystem::path& file);
    // Whether a save is on its way (or waiting for the one before).
    bool saving();
    // What a save on the saver's thread read of another copy's changes.
    void takeWhatTheSaverRead();

    std::filesystem::path file_;
    TimeSource now_;
    RegTree tree_;
    std::string key_;
    std::chrono::milliseconds lockTimeout_{5000};

    // Written by a save on the saver thread; the calls that read them wait
    // for it first.
    std::optional<StoreProblem> notice_;
    // The file as this store last read or wrote it, while its stamp says so.
    struct OnDisk {
        bool known = false;
        // The stamp alone tells: its clock tick is long past.
        bool settled = false;
        Stamp stamp;
        std::string text;
        RegTree tree;
    } disk_;
    // A save on the saver thread had to read the file again: the reads must
    // see what it found.
    bool reread_ = false;

    // The saver thread and the one save handed to it.
    struct Job {
        std::vector<Pending> writes;
        Refusal refused;
        int64_t now = 0;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread saver_;
};

}  // namespace brisko
