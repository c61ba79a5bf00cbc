// The random draws of message picks, reseeded from the clock at every pick.
#pragma once

#include <cstdint>
#include <random>

namespace zephrix {

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // Starts a new sequence from the time of day.
    virtual void Reseed() = 0;
    // A uniform draw from 0 to n - 1 (n > 0).
    virtual std::uint32_t Next(std::uint32_t n) = 0;
};

class TClockRandomSource : public TRandomSource {
public:
    void Reseed() override;
    std::uint32_t Next(std::uint32_t n) override;

private:
    std::mt19937 FGenerator;
};

} // namespace zephrix
