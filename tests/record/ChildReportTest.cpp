#include "record/ChildReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kJapan = 9 * 3600;
// 2026-12-07 00:00 in Japan.
constexpr std::int64_t kMonday = 1796569200000;

std::int64_t jst(int day, int hour, int minute)
{
    return kMonday + ((std::int64_t { day } * 24 + hour) * 60 + minute) * 60'000;
}

Attempt answer(std::int64_t runId, std::int64_t whenMs, std::u16string word, std::u16string typed,
    bool firstTry)
{
    Attempt attempt;
    attempt.runId = runId;
    attempt.whenMs = whenMs;
    attempt.right = word == typed;
    attempt.word = std::move(word);
    attempt.typed = std::move(typed);
    attempt.firstTry = firstTry;
    return attempt;
}

} // namespace

// Four days of practice in Japan, one of them across midnight in a run that was killed.
TEST(ChildReportTest, CountsDaysMinutesWordsAndSlipsInLocalTime)
{
    const std::vector<DrillRun> runs = {
        { 1, jst(0, 9, 0), jst(0, 9, 10), "/cards" },
        { 2, jst(1, 23, 50), 0, "/cards" }, // killed: lasts until its last answer
        { 3, jst(3, 10, 0), jst(3, 10, 4), "/cards" },
        { 4, jst(3, 11, 0), jst(3, 11, 30), "/cards" }, // no answer: no practice
    };
    const std::vector<Attempt> attempts = {
        answer(1, jst(0, 9, 1), u"いぬ", u"いぬ", true),
        answer(1, jst(0, 9, 2), u"ねこ", u"ねこ", true),
        answer(1, jst(0, 9, 3), u"さかな", u"さかな", true),
        answer(1, jst(0, 9, 4), u"がっこう", u"かっこう", true),
        answer(1, jst(0, 9, 5), u"がっこう", u"がこう", false),
        answer(1, jst(0, 9, 6), u"がっこう", u"がっこう", false),
        answer(2, jst(1, 23, 55), u"いぬ", u"いぬ", true),
        answer(2, jst(1, 23, 56), u"さかな", u"さかな", true),
        answer(2, jst(2, 0, 4), u"さかな", u"さかな", true),
        answer(2, jst(2, 0, 5), u"ねこ", u"ねこ", true),
        answer(3, jst(3, 10, 1), u"いぬ", u"いぬ", true),
        answer(3, jst(3, 10, 2), u"さかな", u"さがな", true),
        answer(3, jst(3, 10, 3), u"がっこう", u"かっこう", true),
    };

    const ChildReport report = ChildReport::Build(attempts, runs, kJapan);

    EXPECT_EQ(report.attempts, 13);
    EXPECT_EQ(report.cardsTried, 11);
    EXPECT_EQ(report.daysPractised, 4);
    EXPECT_DOUBLE_EQ(report.minutes, 10 + 15 + 4);
    ASSERT_EQ(report.days.size(), 4u);
    const struct
    {
        const char* date;
        int cards;
        int firstTryRight;
        double minutes;
    } days[] = {
        { "2026-12-07", 4, 3, 10 },
        { "2026-12-08", 2, 2, 15 }, // the run across midnight counts on the day it began
        { "2026-12-09", 2, 2, 0 },
        { "2026-12-10", 3, 1, 4 },
    };
    for (std::size_t i = 0; i < report.days.size(); ++i) {
        SCOPED_TRACE(days[i].date);
        EXPECT_EQ(report.days[i].date, days[i].date);
        EXPECT_EQ(report.days[i].cards, days[i].cards);
        EXPECT_EQ(report.days[i].firstTryRight, days[i].firstTryRight);
        EXPECT_DOUBLE_EQ(report.days[i].minutes, days[i].minutes);
    }

    // いぬ: right at the first try on three days. さかな too, but it was missed since. がっこう
    // was never right at the first try.
    EXPECT_EQ(report.mastered, std::vector<std::u16string> { u"いぬ" });
    EXPECT_EQ(report.hard, std::vector<std::u16string> { u"がっこう" });

    ASSERT_EQ(report.confusions.size(), 3u);
    EXPECT_EQ(report.confusions[0].group, KanaConfusion::Group::VoicingMissing);
    EXPECT_EQ(report.confusions[0].count, 2);
    ASSERT_EQ(report.confusions[0].examples.size(), 1u);
    EXPECT_EQ(report.confusions[0].examples[0].expected, u"が");
    EXPECT_EQ(report.confusions[0].examples[0].typed, u"か");
    EXPECT_EQ(report.confusions[1].group, KanaConfusion::Group::VoicingExtra);
    EXPECT_EQ(report.confusions[1].count, 1);
    EXPECT_EQ(report.confusions[2].group, KanaConfusion::Group::KanaMissing);
    EXPECT_EQ(report.confusions[2].examples[0].expected, u"っ");
    EXPECT_EQ(report.wrongWithDiscardedKeys, 0);

    // A kana missing from an answer typed while the drill discarded keys is the drill's doing,
    // not the child's: counted apart, not as a missing kana; its other slips still count.
    std::vector<Attempt> shortened = attempts;
    shortened.push_back(answer(3, jst(3, 10, 4), u"ねこ", u"こ", false));
    shortened.push_back(answer(3, jst(3, 10, 5), u"さかな", u"かな", false));
    shortened.back().discardedKeys = 2;
    shortened.push_back(answer(3, jst(3, 10, 6), u"がっこう", u"かこう", false));
    shortened.back().discardedKeys = 1;
    const ChildReport withKeys = ChildReport::Build(shortened, runs, kJapan);
    EXPECT_EQ(withKeys.wrongWithDiscardedKeys, 2);
    ASSERT_EQ(withKeys.confusions.size(), 3u);
    EXPECT_EQ(withKeys.confusions[0].group, KanaConfusion::Group::VoicingMissing);
    EXPECT_EQ(withKeys.confusions[0].count, 3);
    EXPECT_EQ(withKeys.confusions[1].group, KanaConfusion::Group::KanaMissing);
    EXPECT_EQ(withKeys.confusions[1].count, 2) << "the っ before, and ね";
}
