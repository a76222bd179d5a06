// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user store of named values that keeps the settings: one key of the
// registry on Windows, a file in the registry's own text format elsewhere.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace brisko {

// Raised by every store with the message the player sees, for example
// "Type de données incorrect pour 'niveau'".
class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
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

    // A problem the store met and mended on its own (a damaged file set aside
    // and replaced by an empty key), to be raised once the load has gone on
    // without it; empty when there is none. Taking it clears it.
    virtual std::string takeNotice() { return {}; }
};

}  // namespace brisko
