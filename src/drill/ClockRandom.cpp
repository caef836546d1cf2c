#include "drill/ClockRandom.h"

#include <chrono>

ClockRandom::ClockRandom()
{
    ReseedFromClock();
}

void ClockRandom::ReseedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937_64::result_type>(now));
}

double ClockRandom::NextUniform()
{
    // 53 random bits scaled by 2^-53: always below 1, unlike generate_canonical, which may
    // round up to 1.0.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}
