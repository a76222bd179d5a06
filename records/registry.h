// SPDX-License-Identifier: GPL-3.0-or-later
// The registry as the stores keep it in memory: keys of typed values, each
// value holding the bytes Windows would hold (REG_SZ as UTF-16LE ending in a
// zero unit), and the rules for reading them that every store shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisko {

// Registry value types, with the numbers Windows gives them.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

// "Type de données incorrect pour '<name>'"
std::string typeErrorMessage(std::string_view name);
// "Erreur à définition des données pour '<name>'"
std::string writeErrorMessage(std::string_view name);

// UTF-8 <-> UTF-16. Invalid UTF-8 and unpaired surrogates become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

struct RegValue {
    std::string name;  // UTF-8; empty for the key's default value "@"
    uint32_t type = kRegNone;
    std::vector<uint8_t> data;
    // The value's lines as read from a file, written back unchanged while the
    // value is not replaced; empty for a value set by the program.
    std::string raw;
};

// The data of a REG_SZ holding `text`: UTF-16LE units and a closing zero unit.
std::vector<uint8_t> stringData(std::string_view text);
// The same from UTF-16 units as they stand (a lone surrogate stays as it is).
std::vector<uint8_t> unitsData(const std::u16string& units);
// The UTF-16 units of string data up to its first zero unit (an odd last byte
// is ignored).
std::u16string stringUnits(const std::vector<uint8_t>& data);

// The read rules of the settings store, shared by every backend; `value` is
// null when absent.
size_t readBinaryValue(const RegValue* value, std::string_view name, void* dest, size_t capacity);
std::optional<size_t> binaryValueLength(const RegValue* value, std::string_view name, void* dest,
                                        size_t capacity);
std::string readStringValue(const RegValue* value, std::string_view name);

// Registry names compare without regard to ASCII case.
bool sameRegistryName(std::string_view a, std::string_view b);

// Positions of names in a list, found without regard to ASCII case in
// constant time, so that a file of many keys or values reads in linear
// time. Open addressing over a table of positions + 1 (0: an empty slot)
// that stays at most half full; `nameAt(position)` gives the name the list
// holds at a position.
class NameIndex {
  public:
    // Records `position`, the next one of the list.
    template <class NameAt>
    void add(size_t position, const NameAt& nameAt) {
        if ((count_ + 1) * 2 > slots_.size()) grow(nameAt);
        place(hashOf(nameAt(position)), position + 1);
        ++count_;
    }
    // The first recorded position that holds `name`, or `none`.
    template <class NameAt>
    size_t find(std::string_view name, const NameAt& nameAt, size_t none) const {
        if (slots_.empty()) return none;
        const size_t mask = slots_.size() - 1;
        for (size_t at = hashOf(name) & mask; slots_[at] != 0; at = (at + 1) & mask) {
            if (sameRegistryName(nameAt(slots_[at] - 1), name)) return slots_[at] - 1;
        }
        return none;
    }
    size_t size() const { return count_; }
    void clear() {
        slots_.clear();
        count_ = 0;
    }

  private:
    static size_t hashOf(std::string_view name);
    void place(size_t hash, size_t slot);
    template <class NameAt>
    void grow(const NameAt& nameAt) {
        std::vector<size_t> old = std::move(slots_);
        slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
        for (const size_t slot : old) {
            if (slot != 0) place(hashOf(nameAt(slot - 1)), slot);
        }
    }

    std::vector<size_t> slots_;
    size_t count_ = 0;
};

struct RegKey {
    std::string path;                  // components joined by single backslashes
    int64_t modified = 0;              // unix seconds of the last change
    std::vector<std::string> options;  // "#time=...", "#class=..." lines as read
    std::vector<RegValue> values;      // in the order they were first written
    std::string rawLine;               // the key line as read; empty once the key changed

    RegValue* find(std::string_view name);
    const RegValue* find(std::string_view name) const;
    // Replaces the value of that name in place, or appends it.
    void set(RegValue value);
    // Removes the value of that name, if any.
    void remove(std::string_view name);

    // Where the last search ended: the game reads and writes its values in
    // the order they are stored, so the next one is usually just after.
    mutable size_t hint = 0;

  private:
    // Beyond a few values, searches go through an index of their names. It
    // follows `values` as they grow, and is made again when they shrink, so
    // values are only ever appended to the list or removed by `remove`.
    mutable NameIndex index_;
};

// A whole hive: the lines before the first key, then the keys in order.
struct RegTree {
    std::vector<std::string> header;
    std::vector<RegKey> keys;

    RegKey* find(std::string_view path);
    const RegKey* find(std::string_view path) const;
    // The key of that path, appended when absent.
    RegKey& create(std::string_view path, int64_t now);

    // The key found last: a store asks for its open key at every value.
    mutable size_t hint = 0;
};

// "\\Software\\Caldimo\\BRISKO 99\\" -> "Software\Caldimo\BRISKO 99": no
// leading, trailing or doubled separators.
std::string normaliseKeyPath(std::string_view path);
}  // namespace brisko
