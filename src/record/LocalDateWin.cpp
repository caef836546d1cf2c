#include "record/LocalDate.h"

#include <windows.h>

namespace {

std::int64_t ticks(const SYSTEMTIME& time)
{
    FILETIME file {};
    SystemTimeToFileTime(&time, &file);
    return (std::int64_t { file.dwHighDateTime } << 32) | file.dwLowDateTime;
}

} // namespace

int LocalDate::SystemOffsetSeconds()
{
    // The zone's rules applied to this very moment, so that summer time is counted when it is
    // in force (a plain bias would be the standard one all year).
    SYSTEMTIME utc {};
    GetSystemTime(&utc);
    SYSTEMTIME local {};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return 0;
    // FILETIME counts 100 ns; the offset is whole minutes, the milliseconds of both agree.
    return static_cast<int>((ticks(local) - ticks(utc)) / 10'000'000);
}
