#pragma once

#include "record/RecordClock.h"

// The computer's own clocks.
class SystemRecordClock final : public RecordClock
{
public:
    std::int64_t unixMilliseconds() override;
    std::int64_t steadyMilliseconds() override;
};
