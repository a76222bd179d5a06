// SPDX-License-Identifier: GPL-3.0-or-later
// The player's name as the game keeps it: every letter in upper case, accented
// ones too, and at most ten characters. The change-game dialog and
// brisko-analyze play both take a name through here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brisko {

inline constexpr size_t kNameMaxCharacters = 10;

// `utf8` with its letters in upper case: Latin (with Latin-1 and Latin
// Extended-A), Greek and Cyrillic; "ß" becomes "SS". Other characters, and
// bytes that are not UTF-8, are kept as they are.
std::string upperCaseName(std::string_view utf8);

// The number of characters (code points) of `utf8`.
size_t nameCharacters(std::string_view utf8);

}  // namespace brisko
