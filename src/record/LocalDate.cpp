#include "record/LocalDate.h"

#include <chrono>
#include <cstdio>

namespace {

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor)
{
    std::int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0)
        --quotient;
    return quotient;
}

struct CivilDate
{
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a day number (H. Hinnant's days-to-civil algorithm).
CivilDate civil(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = floorDivide(days, 146097);
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra
        = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
    return { year, month, day };
}

} // namespace

std::int64_t LocalDate::DayNumber(std::int64_t unixMs, int localOffsetSeconds)
{
    return floorDivide(unixMs + std::int64_t { localOffsetSeconds } * 1000, 86'400'000);
}

std::string LocalDate::Date(std::int64_t dayNumber)
{
    const CivilDate date = civil(dayNumber);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(date.year),
        date.month, date.day);
    return text;
}

std::string LocalDate::DateTime(std::int64_t unixMs, int localOffsetSeconds)
{
    const std::int64_t localMs = unixMs + std::int64_t { localOffsetSeconds } * 1000;
    const std::int64_t day = floorDivide(localMs, 86'400'000);
    const auto secondOfDay = static_cast<int>((localMs - day * 86'400'000) / 1000);
    char time[48];
    std::snprintf(time, sizeof time, " %02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60,
        secondOfDay % 60);
    return Date(day) + time;
}

std::string LocalDate::SystemMinute()
{
    using namespace std::chrono;
    const std::int64_t nowMs
        = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return DateTime(nowMs, SystemOffsetSeconds()).substr(0, 16);
}
