// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/random.h"

#include <chrono>

namespace brisko {

int32_t SystemClock::millisecondsSinceMidnightUtc() const {
    using namespace std::chrono;
    // system_clock counts from the Unix epoch in UTC, and every UTC day has
    // exactly 86,400,000 ms in it as far as system_clock is concerned.
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    auto ofDay = ms % kMillisecondsPerDay;
    if (ofDay < 0) ofDay += kMillisecondsPerDay;
    return static_cast<int32_t>(ofDay);
}

}  // namespace brisko
