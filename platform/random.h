#pragma once
// Uniform random numbers on [0, 1), reseeded from the clock.
#include <random>

namespace qd {

class Random {
public:
    virtual ~Random() = default;
    virtual double next_unit() = 0;
    virtual void reseed_from_clock() = 0;
};

class SystemRandom final : public Random {
public:
    SystemRandom();
    double next_unit() override;
    void reseed_from_clock() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace qd
