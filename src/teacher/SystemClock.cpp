#include "teacher/SystemClock.h"

#include "record/LocalDate.h"

#include <chrono>

std::int64_t SystemClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

int SystemClock::localOffsetSeconds() const
{
    return LocalDate::SystemOffsetSeconds();
}
