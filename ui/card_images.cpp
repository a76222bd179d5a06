// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/card_images.h"

#include <array>
#include <string_view>

#include "contract/texts.h"

namespace brisko {

std::string cardImageName(int32_t suit, int32_t value, Language language) {
    static constexpr std::array<std::string_view, 5> kFrench = {"", "PIQUE", "COEUR", "TREFLE",
                                                                "CARREAU"};
    static constexpr std::array<std::string_view, 5> kEnglish = {"", "USPI", "USCO", "USTR",
                                                                 "USCA"};
    if (suit == 5) return "JOKER";
    const auto s = static_cast<size_t>(suit);
    const std::string_view prefix = (value > 10 || value == 1) && language != Language::None &&
                                            infoOf(language).englishCourtCards
                                        ? kEnglish.at(s)
                                        : kFrench.at(s);
    return std::string(prefix) + std::to_string(value);
}

std::string cardImagePath(const std::string& name) {
    return ":/cards/" + name + ".svg";
}

}  // namespace brisko
