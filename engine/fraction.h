// SPDX-License-Identifier: GPL-3.0-or-later
// Exact fractions for the analysis of the game: expected wins and chances
// written as num/den, never rounded until they are shown.
#pragma once

#include <cstdint>
#include <string>

#include "engine/wide_int.h"

namespace brisko {

std::string toString(Int128 value);

// A reduced fraction with a positive denominator.
class Fraction {
  public:
    Fraction() = default;
    Fraction(Int128 num, Int128 den);
    Int128 num() const { return num_; }
    Int128 den() const { return den_; }
    Fraction operator+(const Fraction& other) const;
    Fraction operator-(const Fraction& other) const;
    Fraction operator*(const Fraction& other) const;
    bool operator==(const Fraction& other) const = default;
    // Exact comparison.
    bool operator<(const Fraction& other) const;
    long double value() const;
    // "num/den"
    std::string exact() const;
    // The decimal expansion, truncated after `places` places.
    std::string decimal(int32_t places) const;
    // Rounded to `places` places, an exact half away from zero, with `point`
    // between the units and the places ("-0,42" in French); no minus sign
    // when the rounded figure is zero.
    std::string rounded(int32_t places, char point = '.') const;

  private:
    Int128 num_ = 0;
    Int128 den_ = 1;
};

}  // namespace brisko
