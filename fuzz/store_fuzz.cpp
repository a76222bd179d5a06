// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as the settings file, through the parser and
// through the game's load, checks and save in memory (fuzz/store_check.h
// says what must hold).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/store_check.h"

namespace {

// BRISKO_FUZZ_DIR when set (the script makes it and removes it), else a
// fresh folder on /dev/shm or $TMPDIR.
const std::filesystem::path& workFolder() {
    static const std::filesystem::path folder = [] {
        if (const char* dir = std::getenv("BRISKO_FUZZ_DIR"); dir != nullptr && *dir != '\0') {
            return std::filesystem::path(dir);
        }
        const char* tmp = std::getenv("TMPDIR");
        std::string base = ::access("/dev/shm", W_OK) == 0    ? "/dev/shm"
                           : (tmp != nullptr && *tmp != '\0') ? tmp
                                                              : "/tmp";
        std::string pattern = base + "/brisko-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "store fault: %s\n", what.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (std::string fault = brisko::fuzz::checkStore(bytes); !fault.empty()) ::fault(fault);
    // BRISKO_FUZZ_DISK=1 adds the load through the file on disk, with its
    // copies of damaged files and its syncs: a hundred times slower.
    static const bool disk = std::getenv("BRISKO_FUZZ_DISK") != nullptr;
    if (!disk) return 0;
    if (std::string fault = brisko::fuzz::checkLoad(bytes, workFolder()); !fault.empty()) {
        ::fault(fault);
    }
    return 0;
}
