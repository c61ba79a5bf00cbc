// The clock-seeded generator.
#include "saver/Random.h"

#include <chrono>

namespace saver {

TClockSeededRandom::TClockSeededRandom()
    : FEngine(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

double TClockSeededRandom::Next() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(FEngine);
}

} // namespace saver
