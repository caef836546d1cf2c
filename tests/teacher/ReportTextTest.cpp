#include "teacher/ReportText.h"

#include "common/Utf8Text.h"

#include <gtest/gtest.h>

namespace {

using Group = KanaConfusion::Group;

struct ReportCase
{
    const char* what;
    ChildReport report;
    std::u16string shown; // figures; mastered; the slips; each day of the chart
};

std::u16string joined(const std::vector<std::u16string>& parts)
{
    std::u16string text;
    for (const std::u16string& part : parts)
        text += (text.empty() ? u"" : u" ") + part;
    return text;
}

// A child's report in the words the teacher's window and the printed summary show.
TEST(ReportTextTest, PutsAReportInTheWordsTheTeacherReads)
{
    const std::u16string keysNotTaken
        = u"（音やキーガードの間に打って読まれなかったキーがある答えが";
    const std::u16string notCounted
        = u"回ありました。その答えでぬけた字は「字がぬけた」に数えていません。）";
    const ReportCase cases[] = {
        { "one short day, one right of eight: half a percent over twelve",
            { 1, 0.4, 8, 9, { { "2026-12-09", 8, 1, 0.4 } }, { u"いぬ" }, {}, {}, 0 },
            u"1日 0分 8枚 13%\nいぬ\nまだありません\n12/9 13%" },
        { "a day of practice without a first try",
            { 1, 1.5, 0, 0, { { "2026-12-09", 0, 0, 1.5 } }, {}, {}, {}, 0 },
            u"1日 2分 0枚 —\nまだありません\nまだありません\n12/9 0%" },
        { "nothing practised, but keys the drill did not take", { 0, 0, 0, 0, {}, {}, {}, {}, 1 },
            u"0日 0分 0枚 —\nまだありません\n" + keysNotTaken + u"1" + notCounted + u"\n" },
        { "three days across a year, with slips of every shape",
            { 3, 2.5, 8, 12,
                { { "2026-01-05", 3, 1, 1 }, { "2026-10-10", 3, 2, 1 },
                    { "2026-12-31", 2, 0, 0.5 } },
                { u"りんご", u"ねこ", u"すいか" }, {},
                { { Group::VoicingMissing, 5,
                      { { Group::VoicingMissing, u"が", u"か" },
                          { Group::VoicingMissing, u"ぱ", u"は" } } },
                    { Group::KanaMissing, 1, { { Group::KanaMissing, u"く", u"" } } },
                    { Group::KanaDoubled, 1, { { Group::KanaDoubled, u"", u"ね" } } },
                    { Group::NeighbourKey, 2, {} } },
                2 },
            u"3日 3分 8枚 38%\nりんご、ねこ、すいか\n濁点・半濁点がぬけた：5回（が→か、ぱ→は）\n"
            u"字がぬけた：1回（く→（なし））\n字が重なった：1回（（なし）→ね）\nとなりのキー：2回\n"
                + keysNotTaken + u"2" + notCounted + u"\n1/5 33% 10/10 67% 12/31 0%" },
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::u16string> figures;
        for (const auto& [caption, value] : ReportText::Figures(c.report))
            figures.push_back(value);
        std::vector<std::u16string> chart;
        for (const ChildReport::Day& day : c.report.days) {
            chart.push_back(ReportText::ShortDate(day.date) + u" "
                + ReportText::Number(ReportText::FirstTryRightPercent(day)) + u"%");
        }
        const std::u16string shown = joined(figures) + u"\n"
            + ReportText::WordList(c.report.mastered) + u"\n" + ReportText::Confusions(c.report)
            + u"\n" + joined(chart);
        EXPECT_EQ(Utf8Text::encode(shown), Utf8Text::encode(c.shown));
    }
}

} // namespace
