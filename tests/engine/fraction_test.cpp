// SPDX-License-Identifier: GPL-3.0-or-later
// Fractions as the trainer shows them: rounded, with the language's decimal
// point.
#include <gtest/gtest.h>

#include "engine/fraction.h"

namespace brisko {
namespace {

TEST(Fraction, RoundedAsShown) {
    EXPECT_EQ(Fraction(-42, 100).rounded(2, ','), "-0,42");
    EXPECT_EQ(Fraction(5, 1000).rounded(2), "0.01");  // a half goes away from zero
    EXPECT_EQ(Fraction(-5, 1000).rounded(2), "-0.01");
    EXPECT_EQ(Fraction(-4, 1000).rounded(2), "0.00");  // no "-0.00"
    EXPECT_EQ(Fraction(12345, 10).rounded(0), "1235");
    EXPECT_EQ(Fraction(7, 3) - Fraction(1, 3), Fraction(2, 1));
}

}  // namespace
}  // namespace brisko
