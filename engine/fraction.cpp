// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fraction.h"

#include <algorithm>

namespace brisko {

namespace {

Int128 abs128(Int128 v) {
    return v < 0 ? -v : v;
}

Int128 gcd128(Int128 a, Int128 b) {
    a = abs128(a);
    b = abs128(b);
    while (b != 0) {
        const Int128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

}  // namespace

std::string toString(Int128 value) {
    if (value == 0) return "0";
    const bool negative = value < 0;
    std::string digits;
    for (Int128 v = abs128(value); v != 0; v /= 10) digits += static_cast<char>('0' + v % 10);
    if (negative) digits += '-';
    return {digits.rbegin(), digits.rend()};
}

Fraction::Fraction(Int128 num, Int128 den) {
    if (den == 0) throw std::domain_error("fraction with denominator 0");
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Int128 g = gcd128(num, den);
    num_ = g > 1 ? num / g : num;
    den_ = g > 1 ? den / g : den;
}

Fraction Fraction::operator+(const Fraction& o) const {
    const Int128 g = gcd128(den_, o.den_);
    return Fraction(checkedAdd(checkedMul(num_, o.den_ / g), checkedMul(o.num_, den_ / g)),
                    checkedMul(den_ / g, o.den_));
}

Fraction Fraction::operator-(const Fraction& o) const {
    return *this + Fraction(-o.num_, o.den_);
}

Fraction Fraction::operator*(const Fraction& o) const {
    const Int128 g1 = std::max<Int128>(1, gcd128(num_, o.den_));
    const Int128 g2 = std::max<Int128>(1, gcd128(o.num_, den_));
    return Fraction(checkedMul(num_ / g1, o.num_ / g2), checkedMul(den_ / g2, o.den_ / g1));
}

bool Fraction::operator<(const Fraction& o) const {
    return checkedMul(num_, o.den_) < checkedMul(o.num_, den_);
}

long double Fraction::value() const {
    const Int128 whole = num_ / den_;
    const Int128 rest = num_ % den_;
    return static_cast<long double>(whole) +
           static_cast<long double>(rest) / static_cast<long double>(den_);
}

std::string Fraction::exact() const {
    return toString(num_) + "/" + toString(den_);
}

std::string Fraction::decimal(int32_t places) const {
    std::string s = num_ < 0 ? "-" : "";
    Int128 n = abs128(num_);
    s += toString(n / den_);
    n %= den_;
    if (places > 0) s += '.';
    for (int32_t i = 0; i < places; ++i) {
        n = checkedMul(n, Int128{10});
        s += static_cast<char>('0' + static_cast<int>(n / den_));
        n %= den_;
    }
    return s;
}

std::string Fraction::rounded(int32_t places, char point) const {
    Int128 scale = 1;
    for (int32_t i = 0; i < places; ++i) scale = checkedMul(scale, Int128{10});
    // |num| x scale / den to the nearest whole number, a half going up.
    const Int128 twice = checkedMul(checkedMul(abs128(num_), scale), Int128{2});
    const Int128 units = (twice + den_) / checkedMul(den_, Int128{2});
    std::string digits = toString(units);
    if (static_cast<int32_t>(digits.size()) <= places) {
        digits.insert(0, static_cast<size_t>(places + 1) - digits.size(), '0');
    }
    if (places > 0) digits.insert(digits.size() - static_cast<size_t>(places), 1, point);
    return (num_ < 0 && units != 0 ? "-" : "") + digits;
}

}  // namespace brisko
