// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user store of named values that keeps the settings: one key of the
// registry on Windows, a file in the registry's own text format elsewhere.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace brisko {

// What the store met on the file system, told to the player in the chosen
// language below the store's own error text (records/store_messages.h).
struct StoreProblem {
    enum class Kind {
        Damaged,     // the file had damaged lines: `copy` keeps it whole, `line` is the first
        ReadFailed,  // `error` is the system's errno
        WriteFailed,
        NotAFile,  // `path` is a folder, FIFO, device or socket (`fileType`, st_mode bits)
        Locked,    // another program held the save lock for `seconds`
        Held,      // another copy of the game holds the store (process `pid`)
    };
    Kind kind = Kind::WriteFailed;
    std::string path;
    std::string copy;
    int line = 0;
    int error = 0;
    unsigned fileType = 0;
    int seconds = 0;
    long pid = 0;
};

// Raised by every store with the message the player sees, for example
// "Type de données incorrect pour 'niveau'", and what the system said.
class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    StoreError(const std::string& message, StoreProblem problem)
        : std::runtime_error(message), problem_(std::move(problem)) {}
    const std::optional<StoreProblem>& problem() const { return problem_; }

  private:
    std::optional<StoreProblem> problem_;
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // Opens the key (path like "Software\\Caldimo\\BRISKO 99\\"), creating it
    // and its parents when absent. Reads and writes then address its values.
    virtual void openKey(const std::string& path) = 0;

    // Absent: returns 0 and leaves dest untouched. Binary and not longer than
    // capacity: copies its bytes to the start of dest and returns their count.
    // Otherwise raises "Type de données incorrect pour '<name>'".
    virtual size_t readBinary(const std::string& name, void* dest, size_t capacity) = 0;
    // Creates or replaces the value as binary; a refusal raises
    // "Erreur à définition des données pour '<name>'".
    virtual void writeBinary(const std::string& name, const void* data, size_t length) = 0;

    // Absent or empty: "". A string value: its text (UTF-8) up to its first
    // zero. Any other type raises the type error.
    virtual std::string readString(const std::string& name) = 0;
    virtual void writeString(const std::string& name, const std::string& text) = 0;

    // A save of all the values is one transaction: between beginSave and
    // commitSave the writes are only in memory, and commitSave puts them on
    // disk all at once or not at all (raising the write error, naming the first
    // value written since beginSave). Stores without transactions ignore both.
    virtual void beginSave() {}
    virtual void commitSave() {}

    // A problem the store met and mended on its own (a damaged file copied
    // aside and rewritten with the values that read cleanly), to be told once
    // the load has gone on; none when there is none. Taking it clears it.
    virtual std::optional<StoreProblem> takeNotice() { return std::nullopt; }
};

}  // namespace brisko
