// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/store_owner.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "records/file_store.h"
#include "records/store.h"

namespace brisko {

namespace fs = std::filesystem;

namespace {

bool sameFile(int fd, const fs::path& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// The first line of the lock file: the holder's process id, or 0.
long holderOf(int fd) {
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    return n > 0 ? std::strtol(text, nullptr, 10) : 0;
}

// What QLockFile writes: process id, program name, host name.
std::string contents() {
    char self[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string name =
        n > 0 ? fs::path(std::string(self, size_t(n))).filename().string() : "";
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    return std::to_string(::getpid()) + "\n" + name + "\n" + host + "\n";
}

}  // namespace

fs::path ownerLockPath(const fs::path& storeFile) {
    return fs::path(FileStore(storeFile).target().string() + ".owner");
}

StoreOwner::StoreOwner(const fs::path& storeFile) : path_(ownerLockPath(storeFile)) {
    std::error_code ignored;
    fs::create_directories(path_.parent_path(), ignored);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd =
            ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            // Locked at once; another program may have taken it over between
            // the creation and the lock.
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !sameFile(fd, path_)) {
                ::close(fd);
                continue;
            }
            const std::string text = contents();
            if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                ::unlink(path_.c_str());
                ::close(fd);
                return;
            }
            fd_ = fd;
            return;
        }
        if (errno != EEXIST) return;
        const int held = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (held < 0) {
            if (errno == ENOENT) continue;
            return;
        }
        if (::flock(held, LOCK_EX | LOCK_NB) != 0) {
            StoreProblem problem;
            problem.kind = StoreProblem::Kind::Held;
            problem.path = storeFile.string();
            problem.pid = holderOf(held);
            ::close(held);
            throw StoreError("", problem);
        }
        // Nobody holds it: left by a program that died.
        if (sameFile(held, path_)) ::unlink(path_.c_str());
        ::close(held);
    }
}

StoreOwner::~StoreOwner() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
}

}  // namespace brisko
