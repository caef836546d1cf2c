#include "access/SwitchScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Switches = SwitchScanner::Switches;

// One event of a scripted scan, and what is lit after it: "row R", "key R.K" or "back R"; with
// the key chosen ("R.K") or "" and when the next step falls due (-1: no timer).
struct Event
{
    enum Kind
    {
        Tick,
        Choose,
        Move,
    } kind;
    std::int64_t at;
    std::int64_t heldMs;
    bool discarding;
    std::string lit;
    std::string chosen;
    std::int64_t nextStep;
};

struct Scan
{
    const char* what;
    SwitchScanner::Settings settings;
    std::vector<Event> events;
};

std::string shown(const SwitchScanner::Highlight& lit, const std::vector<int>& rows)
{
    if (!lit.inRow)
        return "row " + std::to_string(lit.row);
    if (lit.item == rows[static_cast<std::size_t>(lit.row)])
        return "back " + std::to_string(lit.row);
    return "key " + std::to_string(lit.row) + "." + std::to_string(lit.item);
}

// A board of three rows, the middle one empty (never lit): two keys, none, three keys.
TEST(SwitchScannerTest, ScansRowsThenKeysAndChoosesAsTheSwitchesSay)
{
    const std::vector<int> rows { 2, 0, 3 };
    const Scan scans[] = {
        { "one switch: steps on time, into a row, past its keys to back, and out again",
            { Switches::One, 1000, 0, 0 },
            {
                { Event::Tick, 999, 0, false, "row 0", "", 1000 },
                { Event::Tick, 1000, 0, false, "row 2", "", 2000 },
                { Event::Tick, 2004, 0, false, "row 0", "", 3000 }, // a late timer: no drift
                { Event::Choose, 2500, 100, false, "key 0.0", "", 3600 },
                { Event::Tick, 3600, 0, false, "key 0.1", "", 4600 },
                { Event::Tick, 4600, 0, false, "back 0", "", 5600 },
                { Event::Tick, 5600, 0, false, "key 0.0", "", 6600 },
                { Event::Tick, 6600, 0, false, "key 0.1", "", 7600 },
                { Event::Choose, 7000, 100, false, "row 0", "0.1", 8100 },
            } },
        { "one switch: back leaves the row where it was",
            { Switches::One, 500, 0, 0 },
            {
                { Event::Tick, 500, 0, false, "row 2", "", 1000 },
                { Event::Choose, 600, 50, false, "key 2.0", "", 1150 },
                { Event::Tick, 1150, 0, false, "key 2.1", "", 1650 },
                { Event::Tick, 1650, 0, false, "key 2.2", "", 2150 },
                { Event::Tick, 2150, 0, false, "back 2", "", 2650 },
                { Event::Choose, 2200, 50, false, "row 2", "", 2750 },
            } },
        { "one switch: a short press is ignored, a long enough one chooses",
            { Switches::One, 1000, 300, 0 },
            {
                { Event::Choose, 100, 299, false, "row 0", "", 1000 },
                { Event::Choose, 500, 300, false, "key 0.0", "", 1800 },
            } },
        { "one switch: no step and no choice while keys are discarded, then a whole step",
            { Switches::One, 1000, 0, 0 },
            {
                { Event::Tick, 1000, 0, true, "row 0", "", 2000 },
                { Event::Choose, 1500, 100, true, "row 0", "", 2000 },
                { Event::Tick, 2000, 0, false, "row 2", "", 3000 },
            } },
        { "one switch: the pause after a choice keeps the new highlight longer",
            { Switches::One, 1000, 0, 2000 },
            {
                { Event::Choose, 200, 100, false, "key 0.0", "", 3300 },
                { Event::Tick, 3299, 0, false, "key 0.0", "", 3300 },
                { Event::Tick, 3300, 0, false, "key 0.1", "", 4300 },
            } },
        { "two switches: one moves, the other chooses, and time alone moves nothing",
            { Switches::Two, 1000, 0, 0 },
            {
                { Event::Tick, 5000, 0, false, "row 0", "", -1 },
                { Event::Move, 5100, 100, false, "row 2", "", -1 },
                { Event::Choose, 5300, 100, false, "key 2.0", "", -1 },
                { Event::Move, 5500, 100, false, "key 2.1", "", -1 },
                { Event::Move, 5600, 100, true, "key 2.1", "", -1 },
                { Event::Choose, 5700, 100, false, "row 0", "2.1", -1 },
            } },
        { "steps out of range are brought to 0.5 and 5 s",
            { Switches::One, 100, 0, 0 },
            {
                { Event::Tick, 499, 0, false, "row 0", "", 500 },
                { Event::Tick, 500, 0, false, "row 2", "", 1000 },
            } },
    };
    for (const Scan& scan : scans) {
        SCOPED_TRACE(scan.what);
        SwitchScanner scanner(rows, scan.settings);
        scanner.start(0);
        for (const Event& event : scan.events) {
            SCOPED_TRACE(event.at);
            std::string chosen;
            if (event.kind == Event::Tick) {
                scanner.advance(event.at, event.discarding);
            } else if (const auto choice = scanner.press(event.kind == Event::Move,
                           event.at, event.at + event.heldMs, event.discarding)) {
                chosen = std::to_string(choice->row) + "." + std::to_string(choice->key);
            }
            EXPECT_EQ(shown(scanner.highlight(), rows), event.lit);
            EXPECT_EQ(chosen, event.chosen);
            EXPECT_EQ(scanner.nextStepMs().value_or(-1), event.nextStep);
        }
    }
}

} // namespace
