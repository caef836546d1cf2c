#pragma once

#include <cstdint>

// The time the teacher's window reads its periods from; tests give a fixed one.
class TeacherClock
{
public:
    virtual ~TeacherClock() = default;

    virtual std::int64_t nowMs() const = 0; // Unix time in milliseconds
    // The local time zone's offset from UTC now (Japan: +32400).
    virtual int localOffsetSeconds() const = 0;
};
