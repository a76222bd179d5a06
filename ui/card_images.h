// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the embedded card images.
#pragma once

#include <cstdint>
#include <string>

#include "contract/texts.h"

namespace brisko {

inline constexpr int32_t kCardImageCount = 69;

// "PIQUE1".."CARREAU13" by suit 1..4 (spades, hearts, clubs, diamonds) and
// value 1..13; in a language with English faces, the English court cards
// "USPI11".."USCA13" for values above 10 and the English aces "USPI1"..
// "USCA1", marked A where the French pattern marks them 1; "JOKER" for suit
// 5 whatever the value.
std::string cardImageName(int32_t suit, int32_t value, Language language);

// The resource path of an image: ":/cards/NAME.svg".
std::string cardImagePath(const std::string& name);

}  // namespace brisko
