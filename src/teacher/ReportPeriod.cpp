#include "teacher/ReportPeriod.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

using namespace std::chrono;

constexpr std::int64_t kDayMs = 24 * 60 * 60 * 1000;

sys_days toDays(const ReportPeriod::Date& date)
{
    return sys_days(year(date.year) / month(static_cast<unsigned>(date.month))
        / day(static_cast<unsigned>(date.day)));
}

ReportPeriod::Date fromDays(sys_days days)
{
    const year_month_day date(days);
    return { static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
        static_cast<int>(static_cast<unsigned>(date.day())) };
}

// The local day's first millisecond, in Unix time.
std::int64_t startOf(sys_days days, int localOffsetSeconds)
{
    return days.time_since_epoch().count() * kDayMs - std::int64_t { localOffsetSeconds } * 1000;
}

std::u16string text(const ReportPeriod::Date& date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

// The first and the last local day of the period; nothing for everything.
struct Days
{
    sys_days first;
    sys_days last;
};

Days daysOf(const ReportPeriod::Choice& choice, std::int64_t nowMs, int localOffsetSeconds)
{
    const sys_days today = toDays(ReportPeriod::LocalDate(nowMs, localOffsetSeconds));
    switch (choice.kind) {
    case ReportPeriod::Kind::ThisWeek: {
        const sys_days monday = today - (weekday(today) - Monday);
        return { monday, monday + days(6) };
    }
    case ReportPeriod::Kind::ThisMonth: {
        const year_month_day date(today);
        const year_month_day_last end(date.year() / date.month() / last);
        return { sys_days(date.year() / date.month() / 1), sys_days(end) };
    }
    case ReportPeriod::Kind::Between: {
        // Dates given the wrong way round mean the same days.
        const sys_days from = toDays(choice.from);
        const sys_days to = toDays(choice.to);
        return { std::min(from, to), std::max(from, to) };
    }
    case ReportPeriod::Kind::Everything:
        break;
    }
    return { today, today };
}

} // namespace

ReportPeriod::Date ReportPeriod::LocalDate(std::int64_t ms, int localOffsetSeconds)
{
    const std::int64_t local = ms + std::int64_t { localOffsetSeconds } * 1000;
    // Floor division: a moment before 1970 still falls on the day it belongs to.
    std::int64_t dayNumber = local / kDayMs;
    if (local % kDayMs < 0)
        --dayNumber;
    return fromDays(sys_days(days(dayNumber)));
}

ReportPeriod::Range ReportPeriod::Resolve(
    const Choice& choice, std::int64_t nowMs, int localOffsetSeconds)
{
    if (choice.kind == Kind::Everything)
        return { std::numeric_limits<std::int64_t>::min(),
            std::numeric_limits<std::int64_t>::max() };
    const Days period = daysOf(choice, nowMs, localOffsetSeconds);
    return { startOf(period.first, localOffsetSeconds),
        startOf(period.last + days(1), localOffsetSeconds) };
}

std::u16string ReportPeriod::Label(const Choice& choice, std::int64_t nowMs, int localOffsetSeconds)
{
    std::u16string name;
    switch (choice.kind) {
    case Kind::Everything:
        return u"ぜんぶ";
    case Kind::ThisWeek:
        name = u"今週";
        break;
    case Kind::ThisMonth:
        name = u"今月";
        break;
    case Kind::Between:
        name = u"期間";
        break;
    }
    const Days period = daysOf(choice, nowMs, localOffsetSeconds);
    return name + u"（" + text(fromDays(period.first)) + u"〜" + text(fromDays(period.last))
        + u"）";
}
