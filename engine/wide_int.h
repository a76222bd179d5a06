// SPDX-License-Identifier: GPL-3.0-or-later
// 128-bit whole numbers for the exact analysis, and arithmetic that stops
// with an error instead of wrapping round. The one place where the analysis
// leans on the compiler's extensions (GCC and Clang): another compiler needs
// only this file changed.
#pragma once

#include <stdexcept>

namespace brisko {

#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 Int128;
#else
#error "the exact analysis needs a 128-bit integer type"
#endif

// a + b, a - b and a x b for Int128 and the standard integers, or
// std::overflow_error when the exact result does not fit.
template <typename T>
T checkedAdd(T a, T b) {
    T r{};
    if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("integer overflow");
    return r;
}

template <typename T>
T checkedSub(T a, T b) {
    T r{};
    if (__builtin_sub_overflow(a, b, &r)) throw std::overflow_error("integer overflow");
    return r;
}

template <typename T>
T checkedMul(T a, T b) {
    T r{};
    if (__builtin_mul_overflow(a, b, &r)) throw std::overflow_error("integer overflow");
    return r;
}

}  // namespace brisko
