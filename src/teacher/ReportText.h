#pragma once

#include "record/ChildReport.h"

#include <string>
#include <utility>
#include <vector>

// The words a report is shown in, the same in the teacher's window and in the printed summary.
class ReportText
{
public:
    // Caption and value: days practised, minutes, cards tried, first-try-right share.
    static std::vector<std::pair<std::u16string, std::u16string>> Figures(
        const ChildReport& report);
    // "りんご、ねこ"; "まだありません" for none.
    static std::u16string WordList(const std::vector<std::u16string>& words);
    // "濁点・半濁点がない：5回（か→が、ぱ→ば）"
    static std::u16string Confusion(const ChildReport::ConfusionSummary& summary);
    // The slips paragraph: a line per group, then how many wrong answers had keys the drill did
    // not take (left out of the missing kana); "まだありません" for none.
    static std::u16string Confusions(const ChildReport& report);
    // Whole percent of the day's first tries that were right; 0 for a day without one.
    static int FirstTryRightPercent(const ChildReport::Day& day);
    // "12/9" for the chart's axis.
    static std::u16string ShortDate(const std::string& isoDate);
    static std::u16string Number(long long value);
};
