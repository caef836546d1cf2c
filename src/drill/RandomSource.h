#pragma once

// The program's one pseudo-random generator, shared by the deck shuffle and the praise draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void ReseedFromClock() = 0;
    // The next uniform number in [0, 1).
    virtual double NextUniform() = 0;
};
