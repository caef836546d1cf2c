#include "record/LocalDate.h"

#include <gtest/gtest.h>

namespace {

struct MomentCase
{
    const char* what;
    std::int64_t unixMs;
    int offsetSeconds;
    std::int64_t dayNumber; // days since 1970-01-01 in that zone
    std::string shown;
};

// A moment of the record is counted and shown on the day it falls on where the report is made:
// the day turns at local midnight, across months, years and leap days, in zones on either
// side of UTC and before 1970.
TEST(LocalDateTest, ShowsEachMomentOnTheLocalDayItFallsOn)
{
    const MomentCase cases[] = {
        { "the first moment of 1970 in UTC", 0, 0, 0, "1970-01-01 00:00:00" },
        { "a millisecond before it", -1, 0, -1, "1969-12-31 23:59:59" },
        { "1970 begins nine hours early in Japan", -32400000, 32400, 0, "1970-01-01 00:00:00" },
        { "an afternoon in Japan, milliseconds dropped", 1796797807999, 32400, 20796,
            "2026-12-09 15:30:07" },
        { "the last moment of 2026 in Japan", 1798729199999, 32400, 20818, "2026-12-31 23:59:59" },
        { "New Year in Japan, still 2026 in UTC", 1798729200000, 32400, 20819,
            "2027-01-01 00:00:00" },
        { "the end of a leap day in Japan", 1709218799999, 32400, 19782, "2024-02-29 23:59:59" },
        { "March after a leap day", 1709218800000, 32400, 19783, "2024-03-01 00:00:00" },
        { "2000 has a leap day", 951825600000, 0, 11016, "2000-02-29 12:00:00" },
        { "2100 has none", 4107542399999, 0, 47540, "2100-02-28 23:59:59" },
        { "New Year's Eve in New York, 2026 in UTC", 1767236400000, -18000, 20453,
            "2025-12-31 22:00:00" },
        { "April in India, half an hour off the hour", 1774981800000, 19800, 20544,
            "2026-04-01 00:00:00" },
    };
    for (const MomentCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LocalDate::DayNumber(c.unixMs, c.offsetSeconds), c.dayNumber);
        EXPECT_EQ(LocalDate::Date(c.dayNumber), c.shown.substr(0, 10));
        EXPECT_EQ(LocalDate::DateTime(c.unixMs, c.offsetSeconds), c.shown);
    }
}

} // namespace
