#pragma once

#include "record/Attempt.h"
#include "record/KanaConfusion.h"

#include <cstdint>
#include <string>
#include <vector>

// What a teacher reads off a child's record for a period, for the individual teaching plan.
struct ChildReport
{
    struct Day
    {
        std::string date; // local date, "2026-12-09"
        int cards = 0; // first tries that day
        int firstTryRight = 0;
        double minutes = 0;
    };
    struct ConfusionSummary
    {
        KanaConfusion::Group group;
        int count = 0;
        std::vector<KanaConfusion::Slip> examples; // a few, most frequent first
    };

    int daysPractised = 0;
    double minutes = 0;
    int cardsTried = 0; // first tries
    int attempts = 0; // every judged Enter
    std::vector<Day> days; // only days with practice, oldest first
    // Right at the first try on three different days.
    std::vector<std::u16string> mastered;
    // Tried at least twice and right at the first try less than half the time, hardest first.
    std::vector<std::u16string> hard;
    std::vector<ConfusionSummary> confusions; // biggest group first
    // Wrong answers during which the drill did not take some of the child's keys (typed during
    // the prompt or the key guard): a kana missing from them may be the drill's doing, so those
    // are not counted as missing kana.
    int wrongWithDiscardedKeys = 0;

    // localOffsetSeconds: the local time zone's offset from UTC (Japan: +32400).
    static ChildReport Build(const std::vector<Attempt>& attempts,
        const std::vector<DrillRun>& runs, int localOffsetSeconds);
};
