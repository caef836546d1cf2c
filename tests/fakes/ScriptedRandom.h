#pragma once

#include "drill/RandomSource.h"

#include <cstddef>
#include <vector>

// Hands out a fixed list of numbers in turn (starting over at the end), so that shuffles and
// praise draws are predictable. Reseeding is only counted.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<double> script = { 0.0 })
        : values(std::move(script))
    { }

    void ReseedFromClock() override { ++reseeds; }
    double NextUniform() override
    {
        const double value = values[next % values.size()];
        ++next;
        return value;
    }

    std::vector<double> values;
    std::size_t next = 0;
    int reseeds = 0;
};
