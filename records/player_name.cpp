// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/player_name.h"

#include <cstdint>

namespace brisko {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point starting at text[at] and its length in bytes; a byte that
// does not start a well-formed sequence stands for itself (length 1, -1).
std::pair<int32_t, size_t> decode(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 0;
    if (length == 0 || at + length > text.size()) return {-1, 1};
    int32_t cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (!isContinuation(next)) return {-1, 1};
        cp = (cp << 6) | (next & 0x3F);
    }
    if ((length == 2 && cp < 0x80) || (length == 3 && cp < 0x800)) return {-1, 1};
    return {cp, length};
}

void encode(int32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The capital of a small letter that has one of a single code point, else cp.
int32_t upper(int32_t cp) {
    const bool odd = cp % 2 == 1;
    if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 32;
    if (cp == 0xB5) return 0x39C;  // micro sign: capital mu
    if (cp == 0xFF) return 0x178;
    if (cp == 0x131) return 'I';  // dotless i
    if (cp == 0x17F) return 'S';  // long s
    // Latin Extended-A: capital and small letter side by side.
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) return odd ? cp - 1 : cp;
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) return odd ? cp : cp - 1;
    // Greek.
    if ((cp >= 0x3B1 && cp <= 0x3C1) || (cp >= 0x3C3 && cp <= 0x3CB)) return cp - 32;
    if (cp == 0x3C2) return 0x3A3;  // final sigma
    if (cp == 0x3AC) return 0x386;
    if (cp >= 0x3AD && cp <= 0x3AF) return cp - 37;
    if (cp == 0x3CC) return 0x38C;
    if (cp == 0x3CD || cp == 0x3CE) return cp - 63;
    // Cyrillic.
    if (cp >= 0x430 && cp <= 0x44F) return cp - 32;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 80;
    if ((cp >= 0x460 && cp <= 0x481) || (cp >= 0x48A && cp <= 0x4BF) ||
        (cp >= 0x4D0 && cp <= 0x52F)) {
        return odd ? cp - 1 : cp;
    }
    if (cp >= 0x4C1 && cp <= 0x4CE) return odd ? cp : cp - 1;
    if (cp == 0x4CF) return 0x4C0;
    return cp;
}

// Small letters whose capital takes more than one code point.
const char* upperSequence(int32_t cp) {
    switch (cp) {
        case 0xDF:  // sharp s
            return "SS";
        case 0x149:  // n preceded by apostrophe
            return "\u02BCN";
        case 0x390:
            return "\u0399\u0308\u0301";
        case 0x3B0:
            return "\u03A5\u0308\u0301";
        default:
            return nullptr;
    }
}

}  // namespace

std::string upperCaseName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const auto [cp, length] = decode(utf8, at);
        if (cp < 0) {
            out += utf8[at];
        } else if (const char* sequence = upperSequence(cp)) {
            out += sequence;
        } else {
            encode(upper(cp), out);
        }
        at += length;
    }
    return out;
}

size_t nameCharacters(std::string_view utf8) {
    size_t characters = 0;
    for (char c : utf8) {
        if (!isContinuation(static_cast<unsigned char>(c))) ++characters;
    }
    return characters;
}

}  // namespace brisko
