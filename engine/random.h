// SPDX-License-Identifier: GPL-3.0-or-later
// The game's random source: a 32-bit linear congruential generator reseeded
// from the time of day at every deal and every draw.
#pragma once

#include <cstdint>

namespace brisko {

inline constexpr int32_t kMillisecondsPerDay = 86'400'000;

// The time of day the random source is seeded from.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since midnight UTC, 0 .. 86399999.
    virtual int32_t millisecondsSinceMidnightUtc() const = 0;
};

// Reads the system clock in UTC (not local time).
class SystemClock final : public Clock {
  public:
    int32_t millisecondsSinceMidnightUtc() const override;
};

// A clock that always reads the same time, until told otherwise.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(int32_t ms = 0) : ms_(ms) {}
    void set(int32_t ms) { ms_ = ms; }
    int32_t millisecondsSinceMidnightUtc() const override { return ms_; }

  private:
    int32_t ms_;
};

// Seed step: seed * 134775813 + 1 (mod 2^32); a draw out of n takes the high
// 32 bits of seed * n. The same generator the game has always used, so a given
// clock reading always deals the same cards.
struct RandomSource {
    uint32_t randSeed = 0;

    // An integer 1..n (n >= 1); advances the seed by one step.
    int32_t randomFrom(int32_t n) {
        randSeed = randSeed * 134775813u + 1u;
        const uint64_t product = static_cast<uint64_t>(randSeed) * static_cast<uint32_t>(n);
        return static_cast<int32_t>(product >> 32) + 1;
    }

    void reseedFromClock(const Clock& clock) {
        randSeed = static_cast<uint32_t>(clock.millisecondsSinceMidnightUtc());
    }
};

}  // namespace brisko
