#include "record/ChildReport.h"

#include "drill/DrillState.h"
#include "record/LocalDate.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

namespace {

constexpr int kMasteredDays = 3;
constexpr std::size_t kExamplesPerGroup = 3;

struct WordTally
{
    int firstTries = 0;
    int firstTryRight = 0;
    int wrong = 0;
    bool lastFirstTryRight = false;
    std::set<std::int64_t> daysRightAtFirstTry;
};

struct RunSpan
{
    std::int64_t firstMs = 0;
    std::int64_t lastMs = 0;
};

struct ExampleTally
{
    int count = 0;
    std::size_t firstSeen = 0;
};

} // namespace

ChildReport ChildReport::Build(
    const std::vector<Attempt>& attempts, const std::vector<DrillRun>& runs, int localOffsetSeconds)
{
    ChildReport report;
    std::map<std::int64_t, Day> days;
    std::unordered_map<std::u16string, WordTally> words;
    std::unordered_map<std::int64_t, RunSpan> runSpans;
    std::map<KanaConfusion::Group, int> groupCounts;
    std::map<std::tuple<KanaConfusion::Group, std::u16string, std::u16string>, ExampleTally>
        examples;

    for (const Attempt& attempt : attempts) {
        const std::int64_t dayNumber = LocalDate::DayNumber(attempt.whenMs, localOffsetSeconds);
        Day& day = days[dayNumber];
        ++report.attempts;

        const auto [span, isNew]
            = runSpans.try_emplace(attempt.runId, RunSpan { attempt.whenMs, attempt.whenMs });
        if (!isNew) {
            span->second.firstMs = std::min(span->second.firstMs, attempt.whenMs);
            span->second.lastMs = std::max(span->second.lastMs, attempt.whenMs);
        }

        WordTally& word = words[attempt.word];
        if (attempt.firstTry) {
            ++report.cardsTried;
            ++day.cards;
            ++word.firstTries;
            word.lastFirstTryRight = attempt.right;
            if (attempt.right) {
                ++day.firstTryRight;
                ++word.firstTryRight;
                word.daysRightAtFirstTry.insert(dayNumber);
            }
        }
        if (attempt.right)
            continue;
        ++word.wrong;
        // The drill compares only the part of a long name that fits the line.
        const std::u16string_view judged
            = std::u16string_view(attempt.word).substr(0, DrillState::MaxWordLength);
        const bool keysDiscarded = attempt.discardedKeys > 0;
        report.wrongWithDiscardedKeys += keysDiscarded ? 1 : 0;
        for (KanaConfusion::Slip& slip : KanaConfusion::Classify(judged, attempt.typed)) {
            if (keysDiscarded && slip.group == KanaConfusion::Group::KanaMissing)
                continue;
            ++groupCounts[slip.group];
            ExampleTally& example = examples[{ slip.group, slip.expected, slip.typed }];
            if (example.count++ == 0)
                example.firstSeen = examples.size();
        }
    }

    // A run's minutes go to the day of its first answer; a run that never said it ended (the
    // program was killed) lasts until its last answer, and a run without any answer is no
    // practice at all.
    for (const DrillRun& run : runs) {
        const auto span = runSpans.find(run.id);
        if (span == runSpans.end())
            continue;
        const std::int64_t end
            = run.endedMs > 0 ? std::max(run.endedMs, span->second.lastMs) : span->second.lastMs;
        const std::int64_t start = std::min(run.startedMs, span->second.firstMs);
        const double minutes = static_cast<double>(end - start) / 60'000.0;
        const auto day = days.find(LocalDate::DayNumber(span->second.firstMs, localOffsetSeconds));
        if (day != days.end())
            day->second.minutes += minutes;
        report.minutes += minutes;
    }

    for (auto& [dayNumber, day] : days) {
        day.date = LocalDate::Date(dayNumber);
        report.days.push_back(day);
    }
    report.daysPractised = static_cast<int>(report.days.size());

    struct HardWord
    {
        std::u16string word;
        int firstTries;
        int firstTryRight;
    };
    std::vector<HardWord> hard;
    for (const auto& [word, tally] : words) {
        // A word the child has lost again since is not called mastered.
        if (static_cast<int>(tally.daysRightAtFirstTry.size()) >= kMasteredDays
            && tally.lastFirstTryRight) {
            report.mastered.push_back(word);
        } else if (tally.firstTries >= 2 && tally.firstTryRight * 2 < tally.firstTries) {
            hard.push_back({ word, tally.firstTries, tally.firstTryRight });
        }
    }
    std::sort(report.mastered.begin(), report.mastered.end());
    std::sort(hard.begin(), hard.end(), [](const HardWord& a, const HardWord& b) {
        // The lowest share of first-try rights first, then the most tried.
        const long long left = static_cast<long long>(a.firstTryRight) * b.firstTries;
        const long long right = static_cast<long long>(b.firstTryRight) * a.firstTries;
        if (left != right)
            return left < right;
        if (a.firstTries != b.firstTries)
            return a.firstTries > b.firstTries;
        return a.word < b.word;
    });
    for (HardWord& word : hard)
        report.hard.push_back(std::move(word.word));

    for (const auto& [group, count] : groupCounts)
        report.confusions.push_back({ group, count, {} });
    std::stable_sort(report.confusions.begin(), report.confusions.end(),
        [](const ConfusionSummary& a, const ConfusionSummary& b) { return a.count > b.count; });
    for (ConfusionSummary& summary : report.confusions) {
        std::vector<std::pair<KanaConfusion::Slip, ExampleTally>> chosen;
        for (const auto& [key, tally] : examples) {
            if (std::get<0>(key) == summary.group)
                chosen.push_back({ { summary.group, std::get<1>(key), std::get<2>(key) }, tally });
        }
        std::sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) {
            if (a.second.count != b.second.count)
                return a.second.count > b.second.count;
            return a.second.firstSeen < b.second.firstSeen;
        });
        for (std::size_t i = 0; i < chosen.size() && i < kExamplesPerGroup; ++i)
            summary.examples.push_back(chosen[i].first);
    }
    return report;
}
