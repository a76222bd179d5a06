// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per settings file: two copies saving in turn would
// each write back all their values and wipe the other's new best scores.
#pragma once

#include <filesystem>

namespace brisko {

// The lock file that says which program holds the store at `storeFile` (its
// symbolic links followed): "<file>.owner".
std::filesystem::path ownerLockPath(const std::filesystem::path& storeFile);

// Holds the store for as long as it lives. The lock file is made the way the
// toolkit's QLockFile makes its own (created exclusively, holding the process
// id, the program's name and the host, and locked with flock), so the game's
// window and `brisko-analyze play` keep each other out. A lock file that
// nobody holds locked is left over from a program that died, and is taken
// over. When the lock file cannot be made at all (a read-only folder), the
// store is used without it: its saves will say why they fail.
class StoreOwner {
  public:
    // Raises StoreError (StoreProblem::Kind::Held, with the holder's process
    // id) when another running program holds the store.
    explicit StoreOwner(const std::filesystem::path& storeFile);
    ~StoreOwner();
    StoreOwner(const StoreOwner&) = delete;
    StoreOwner& operator=(const StoreOwner&) = delete;

  private:
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace brisko
