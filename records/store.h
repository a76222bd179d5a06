// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user store of named values that keeps the settings: one key of the
// registry on Windows, a file in the registry's own text format elsewhere.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace brisko {

// What the store met on the file system, told to the player in the chosen
// language below the store's own error text (records/store_messages.h).
struct StoreProblem {
    enum class Kind {
        // Values that could not be read: damaged lines (`line` is the first,
        // 0 when the lines were whole), values of the wrong type or length.
        // `copy` keeps the file as it was, or `error` says why no copy could
        // be made; the other fields below say what the game did.
        Damaged,
        ReadFailed,  // `error` is the system's errno
        WriteFailed,
        NotAFile,  // `path` is a folder, FIFO, device or socket (`fileType`, st_mode bits)
        Locked,    // another program held the save lock for `seconds`
        Held,      // another copy of the game holds the store (process `pid`)
        ReadOnly,  // the file is read-only: nothing is saved in it
        TheStore,  // a file to be written elsewhere is the store's own file
    };
    Kind kind = Kind::WriteFailed;
    std::string path;
    std::string copy;
    int line = 0;
    int error = 0;
    unsigned fileType = 0;
    int seconds = 0;
    long pid = 0;
    std::string value;  // WriteFailed: the first value of the save given up
    // Damaged: the values that could not be read, those that took the value
    // a reset gives them, and the best-score entries dropped from their
    // lists (game type, target index, rank).
    std::vector<std::string> unreadable;
    std::vector<std::string> defaulted;
    std::vector<std::array<int, 3>> dropped;
    // Damaged: nothing of the game could be read, every value was reset.
    bool allReset = false;
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
    // Absent: nothing, dest untouched. Binary of any length: its first bytes,
    // up to capacity, copied to dest, and its whole length, for the caller to
    // compare with the width it expects. Another type raises the type error.
    virtual std::optional<size_t> readBinaryLength(const std::string& name, void* dest,
                                                   size_t capacity) = 0;
    // Absent: nothing. Otherwise as readString.
    virtual std::optional<std::string> findString(const std::string& name) = 0;
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

    // What a save ended by commitSaveInBackground does with its refusal.
    using Refusal = std::function<void(const StoreError&)>;
    // Ends a save as commitSave does, without waiting for the disk where the
    // store has a thread of its own to save on: the writes are what the reads
    // see at once and reach the disk after every save before them. A refusal
    // goes to `refused`, on the thread that met it, instead of being raised;
    // `refused` must not call the store. The caller never waits: a save
    // handed over while one is being written joins the next one (its writes
    // on top), which lands right after. A key opened meanwhile reads what the
    // writes left, without the disk; a commit, a notice or a copy waits for
    // them first. Stores without that thread commit at once.
    virtual void commitSaveInBackground(const Refusal& refused) {
        try {
            commitSave();
        } catch (const StoreError& error) {
            refused(error);
        }
    }
    // Returns once the save on its way, if any, has landed or been refused
    // (its refusal handed over).
    virtual void finishSaves() {}

    // A problem the store met at the last openKey (a file with damaged
    // lines, whose values that read cleanly are what the reads see), to be
    // told once the load has gone on; none when there is none. Taking it
    // clears it.
    virtual std::optional<StoreProblem> takeNotice() { return std::nullopt; }

    // Keeps a copy of what the store holds now, before a save writes over
    // values that could not be read: where the copy is, or empty when this
    // store keeps none. An earlier copy of the very same contents is used
    // again. A copy that cannot be made raises StoreError with its problem.
    virtual std::string keepCopy() { return {}; }

    // What the player knows the store by: the file, or the registry key; empty
    // for a store held in memory.
    virtual std::string location() const { return {}; }
};

}  // namespace brisko
