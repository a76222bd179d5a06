// SPDX-License-Identifier: GPL-3.0-or-later
// The registry as the stores keep it in memory: keys of typed values, each
// value holding the bytes Windows would hold (REG_SZ as UTF-16LE ending in a
// zero unit), and the rules for reading them that every store shares.
#pragma once

#include <cstddef>
#include <cstdint>
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
std::string readStringValue(const RegValue* value, std::string_view name);

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

    // Where the last search ended: the game reads and writes its values in
    // the order they are stored, so the next one is usually just after.
    mutable size_t hint = 0;
};

// A whole hive: the lines before the first key, then the keys in order.
struct RegTree {
    std::vector<std::string> header;
    std::vector<RegKey> keys;

    RegKey* find(std::string_view path);
    const RegKey* find(std::string_view path) const;
    // The key of that path, appended when absent.
    RegKey& create(std::string_view path, int64_t now);
};

// "\\Software\\Caldimo\\BRISKO 99\\" -> "Software\Caldimo\BRISKO 99": no
// leading, trailing or doubled separators.
std::string normaliseKeyPath(std::string_view path);
// Registry names compare without regard to ASCII case.
bool sameRegistryName(std::string_view a, std::string_view b);

}  // namespace brisko
