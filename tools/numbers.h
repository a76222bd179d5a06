// SPDX-License-Identifier: GPL-3.0-or-later
// Whole numbers as the command line and the play script write them.
#pragma once

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace brisko {

// The decimal integer that makes up the whole of `word` (digits, with a
// leading minus sign for a negative one), when it lies in low..high.
inline std::optional<int64_t> parseInteger(std::string_view word,
                                           int64_t low = std::numeric_limits<int64_t>::min(),
                                           int64_t high = std::numeric_limits<int64_t>::max()) {
    int64_t value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || stop != end) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace brisko
