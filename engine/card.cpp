// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/card.h"

#include <cctype>

namespace brisko {

namespace {

constexpr std::string_view kRankNames[] = {"",  "A", "2", "3",  "4", "5", "6",
                                           "7", "8", "9", "10", "J", "Q", "K"};
constexpr std::string_view kSuitLetters = "SHCD";

std::string upper(std::string_view word) {
    std::string out;
    for (char c : word) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::optional<int32_t> parseCard(std::string_view word) {
    if (word.empty() || word.size() > 3) return std::nullopt;
    const std::string w = upper(word);
    bool digits = true;
    for (char c : w) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
        if (w.size() > 2 || w[0] == '0') return std::nullopt;
        const int32_t index = std::stoi(w);
        if (index < 1 || index > kJoker) return std::nullopt;
        return index;
    }
    if (w == "JK") return kJoker;
    const std::string_view rank = std::string_view(w).substr(0, w.size() - 1);
    const auto suitPos = kSuitLetters.find(w.back());
    if (suitPos == std::string_view::npos) return std::nullopt;
    for (int32_t v = 1; v <= 13; ++v) {
        if (rank == kRankNames[v]) return cardIndex(static_cast<int32_t>(suitPos) + 1, v);
    }
    return std::nullopt;
}

std::string cardName(int32_t index) {
    if (index == kJoker) return "JK";
    if (index < 1 || index > kJoker) return "?";
    std::string name(kRankNames[valueOfIndex(index)]);
    name += kSuitLetters[suitOfIndex(index) - 1];
    return name;
}

}  // namespace brisko
