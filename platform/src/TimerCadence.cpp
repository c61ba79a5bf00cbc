// Delays are taken from a grid in microseconds so rounding to milliseconds never drifts.
#include "platform/TimerCadence.h"

#include <algorithm>

namespace platform {

TTimerCadence::TTimerCadence(int intervalMilliseconds)
    : FIntervalMicroseconds(
          std::max<std::int64_t>(SystemTickMicroseconds, std::int64_t(intervalMilliseconds) * 1000)) {}

int TTimerCadence::NextDelay() {
    FDueMicroseconds += FIntervalMicroseconds;
    const std::int64_t dueMilliseconds = (FDueMicroseconds + 500) / 1000;
    const auto delay = static_cast<int>(dueMilliseconds - FElapsedMilliseconds);
    FElapsedMilliseconds = dueMilliseconds;
    return delay;
}

} // namespace platform
