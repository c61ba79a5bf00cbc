// The random numbers the saver draws, uniform in [0, 1); tests put a fixed sequence in.
#pragma once

#include <random>

namespace saver {

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    virtual double Next() = 0;
};

// Seeded from the system clock, as each saver start should dance differently.
class TClockSeededRandom : public TRandomSource {
public:
    TClockSeededRandom();
    double Next() override;

private:
    std::mt19937 FEngine;
};

} // namespace saver
