// The clock-seeded random source of message picks.
#include "randomizer/RandomSource.h"

#include <chrono>

namespace zephrix {

void TClockRandomSource::Reseed() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    FGenerator.seed(std::uint32_t(duration_cast<milliseconds>(sinceMidnight).count()));
}

std::uint32_t TClockRandomSource::Next(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(FGenerator);
}

} // namespace zephrix
