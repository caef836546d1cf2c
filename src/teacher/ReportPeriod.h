#pragma once

#include <cstdint>
#include <string>

// The stretch of time a report covers, as the teacher picks it: this week (from Monday, as a
// school week runs), this month, everything, or from one date to another, both days included.
// Days are the teacher's local days.
class ReportPeriod
{
public:
    enum class Kind
    {
        ThisWeek,
        ThisMonth,
        Everything,
        Between,
    };

    struct Date
    {
        int year = 0;
        int month = 0; // 1 to 12
        int day = 0;

        friend bool operator==(const Date&, const Date&) = default;
    };

    struct Choice
    {
        Kind kind = Kind::ThisWeek;
        Date from; // Between only
        Date to;
    };

    // fromMs <= time < toMs, in Unix milliseconds.
    struct Range
    {
        std::int64_t fromMs = 0;
        std::int64_t toMs = 0;
    };

    static Range Resolve(const Choice& choice, std::int64_t nowMs, int localOffsetSeconds);
    // "今週（2026-12-07〜2026-12-13）", "ぜんぶ"; the dates shown are the days the range covers.
    static std::u16string Label(const Choice& choice, std::int64_t nowMs, int localOffsetSeconds);
    static Date LocalDate(std::int64_t ms, int localOffsetSeconds);
};
