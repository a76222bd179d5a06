// SPDX-License-Identifier: GPL-3.0-or-later
// Wine's registry file format ("WINE REGISTRY Version 2"): the text of the
// settings file on systems without a registry. Plain ASCII; strings keep
// their UTF-16 code units as \x escapes, so a person can read the file and
// Wine-aware tools understand it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "records/registry.h"

namespace brisko {

inline constexpr std::string_view kRegistrySignature = "WINE REGISTRY Version 2";

// Bounds beyond which a file is damage, not settings: the game's own file is
// about 5 KB, its longest line under 100 characters.
inline constexpr size_t kMaxRegistryFileSize = size_t{1} << 20;
inline constexpr size_t kMaxRegistryLineLength = size_t{16} << 10;

class RegistryParseError : public std::runtime_error {
  public:
    RegistryParseError(int line, const std::string& reason)
        : std::runtime_error(reason), line_(line) {}
    int line() const { return line_; }  // 1-based

  private:
    int line_;
};

// What a file held: every line that reads cleanly, and the damaged ones.
struct RegistryText {
    RegTree tree;
    std::vector<int> damagedLines;  // 1-based, in order
    std::string firstReason;        // why the first of them is damaged
};

// Reads every line it can, in one pass, without recursion. A UTF-8 byte-order
// mark and NUL bytes at the end are skipped, as Wine's loader does. Damaged:
// a first line other than the signature, a line it cannot read, a line with a
// NUL or beyond the length bound, everything past the size bound, and a
// value cut short (odd hex digits, a comma or a backslash with nothing after
// it, an unterminated string, a binary value on a last line with no line
// feed). A damaged key line damages the values under it. Values and keys keep
// their lines as read (`raw`, `rawLine`), to be written back unchanged.
RegistryText readRegistryText(std::string_view text);

// The same, raising RegistryParseError at the first damaged line.
RegTree parseRegistryText(std::string_view text);

// The whole file. Values and keys the program did not change are written as
// they were read; changed keys get a fresh "#time=" from their `modified`.
std::string formatRegistryText(const RegTree& tree);

// One value line (hex data wraps after 76 columns, as Wine does).
std::string formatRegistryValue(const RegValue& value);

// Wine's string escapes: backslash and the characters of `escape` get a
// backslash, control characters their C or octal escape, characters above 127
// "\x" and their UTF-16 code unit in hex.
std::string escapeRegistryString(std::u16string_view units, std::string_view escape);

// Unix seconds as a Windows FILETIME (100 ns since 1601).
uint64_t unixSecondsToFiletime(int64_t seconds);

}  // namespace brisko
