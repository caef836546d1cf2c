#pragma once

#include <cstdint>

// Where the recorder takes its times from: the wall clock for when an answer was given, and a
// clock that never jumps for how long the child took. Tests give their own.
class RecordClock
{
public:
    virtual ~RecordClock() = default;
    // Unix time in milliseconds, UTC.
    virtual std::int64_t unixMilliseconds() = 0;
    // Milliseconds from any fixed point; only differences count.
    virtual std::int64_t steadyMilliseconds() = 0;
};
