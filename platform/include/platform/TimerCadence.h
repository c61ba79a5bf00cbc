// Message-timer granularity: an interval shorter than the system tick of 15.625 ms fires once per
// tick, 64 times per second; longer intervals are kept. The cadence hands out whole-millisecond
// delays whose running sum follows the tick grid exactly (15, 16, 16, 15, ...).
#pragma once

#include <cstdint>

namespace platform {

constexpr std::int64_t SystemTickMicroseconds = 15625;

class TTimerCadence {
public:
    explicit TTimerCadence(int intervalMilliseconds);

    // The delay in milliseconds until the timer fires next.
    int NextDelay();

private:
    std::int64_t FIntervalMicroseconds;
    std::int64_t FDueMicroseconds = 0;
    std::int64_t FElapsedMilliseconds = 0;
};

} // namespace platform
