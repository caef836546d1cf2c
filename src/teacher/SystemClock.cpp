#include "teacher/SystemClock.h"

#include <chrono>
#include <ctime>

std::int64_t SystemClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

int SystemClock::localOffsetSeconds() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!::localtime_r(&now, &local))
        return 0;
    return static_cast<int>(local.tm_gmtoff);
}
