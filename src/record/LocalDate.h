#pragma once

#include <cstdint>
#include <string>

// Calendar days and times of the record in the teacher's local time, from Unix milliseconds and a
// fixed offset from UTC: a report or an export reads the same wherever and whenever it is made.
class LocalDate
{
public:
    // Days since 1970-01-01 in local time (negative before it).
    static std::int64_t DayNumber(std::int64_t unixMs, int localOffsetSeconds);
    // "2026-12-09".
    static std::string Date(std::int64_t dayNumber);
    // "2026-12-09 15:30:07".
    static std::string DateTime(std::int64_t unixMs, int localOffsetSeconds);
    // This machine's offset from UTC now (Japan: +32400); asked of the system, one file per
    // platform.
    static int SystemOffsetSeconds();
    // "2026-12-09 15:30" of this moment on this machine, for the names and notes the record
    // leaves beside its file.
    static std::string SystemMinute();
};
