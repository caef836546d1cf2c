#pragma once

#include "drill/RandomSource.h"

#include <random>

// RandomSource of the running program: a Mersenne twister seeded from the clock.
class ClockRandom final : public RandomSource
{
public:
    ClockRandom();

    void ReseedFromClock() override;
    double NextUniform() override;

private:
    std::mt19937_64 m_engine;
};
