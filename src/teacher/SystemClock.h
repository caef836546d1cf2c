#pragma once

#include "teacher/TeacherClock.h"

// The computer's clock and time zone.
class SystemClock final : public TeacherClock
{
public:
    std::int64_t nowMs() const override;
    int localOffsetSeconds() const override;
};
