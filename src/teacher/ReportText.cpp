#include "teacher/ReportText.h"

#include "record/KanaConfusion.h"

#include <cmath>

namespace {

std::u16string ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string orNone(const std::u16string& kana)
{
    return kana.empty() ? u"（なし）" : kana;
}

} // namespace

std::u16string ReportText::Number(long long value)
{
    return ascii(std::to_string(value));
}

int ReportText::FirstTryRightPercent(const ChildReport::Day& day)
{
    if (day.cards <= 0)
        return 0;
    return static_cast<int>(std::lround(100.0 * day.firstTryRight / day.cards));
}

std::vector<std::pair<std::u16string, std::u16string>> ReportText::Figures(
    const ChildReport& report)
{
    int right = 0;
    for (const ChildReport::Day& day : report.days)
        right += day.firstTryRight;
    const std::u16string share = report.cardsTried > 0
        ? Number(std::lround(100.0 * right / report.cardsTried)) + u"%"
        : u"—";
    return {
        { u"練習した日", Number(report.daysPractised) + u"日" },
        { u"練習した時間", Number(std::lround(report.minutes)) + u"分" },
        { u"ためしたカード", Number(report.cardsTried) + u"枚" },
        { u"はじめの一回で正解", share },
    };
}

std::u16string ReportText::WordList(const std::vector<std::u16string>& words)
{
    if (words.empty())
        return u"まだありません";
    std::u16string list;
    for (const std::u16string& word : words) {
        if (!list.empty())
            list += u"、";
        list += word;
    }
    return list;
}

std::u16string ReportText::Confusion(const ChildReport::ConfusionSummary& summary)
{
    std::u16string line
        = KanaConfusion::GroupName(summary.group) + u"：" + Number(summary.count) + u"回";
    if (summary.examples.empty())
        return line;
    line += u"（";
    for (std::size_t i = 0; i < summary.examples.size(); ++i) {
        const KanaConfusion::Slip& slip = summary.examples[i];
        if (i > 0)
            line += u"、";
        line += orNone(slip.expected) + u"→" + orNone(slip.typed);
    }
    return line + u"）";
}

std::u16string ReportText::ShortDate(const std::string& isoDate)
{
    // "2026-12-09": month and day without their leading zeros.
    if (isoDate.size() != 10)
        return ascii(isoDate);
    const int month = std::stoi(isoDate.substr(5, 2));
    const int day = std::stoi(isoDate.substr(8, 2));
    return Number(month) + u"/" + Number(day);
}

std::u16string ReportText::Confusions(const ChildReport& report)
{
    std::u16string text;
    for (const ChildReport::ConfusionSummary& summary : report.confusions) {
        if (!text.empty())
            text += u'\n';
        text += Confusion(summary);
    }
    if (report.wrongWithDiscardedKeys > 0) {
        if (!text.empty())
            text += u'\n';
        text += u"（音やキーガードの間に打って読まれなかったキーがある答えが";
        text += Number(report.wrongWithDiscardedKeys);
        text += u"回ありました。その答えでぬけた字は「字がぬけた」に数えていません。）";
    }
    return text.empty() ? u"まだありません" : text;
}
