#pragma once

#include <array>
#include <string_view>

// The words on the teacher's window: its boxes, buttons and report headings. The window shows
// them and the help page is written from this same list when the program is built, so the
// help always names a button as the button says.
class TeacherCaptions
{
public:
    static constexpr std::u16string_view kChildren = u"子ども";
    static constexpr std::u16string_view kAdd = u"追加する";
    static constexpr std::u16string_view kRename = u"名前を変える";
    static constexpr std::u16string_view kRemove = u"消す";
    static constexpr std::u16string_view kChooseFolder = u"カードのフォルダーをえらぶ";
    static constexpr std::u16string_view kStart = u"この子の練習をはじめる";
    static constexpr std::u16string_view kPractise = u"記録しないで練習";
    static constexpr std::u16string_view kCardTools = u"カードの道具";
    static constexpr std::u16string_view kCheckFolder = u"フォルダーを調べる";
    static constexpr std::u16string_view kMakeCards = u"カードをつくる";
    static constexpr std::u16string_view kExportCsv = u"CSV で保存";
    static constexpr std::u16string_view kExportPdf = u"PDF で保存";
    static constexpr std::u16string_view kHelp = u"ヘルプ";
    static constexpr std::u16string_view kDismiss = u"とじる";

    static constexpr std::u16string_view kPeriod = u"期間";
    static constexpr std::u16string_view kThisWeek = u"今週";
    static constexpr std::u16string_view kThisMonth = u"今月";
    static constexpr std::u16string_view kEverything = u"ぜんぶ";
    static constexpr std::u16string_view kBetween = u"日にちを決める";
    static constexpr std::u16string_view kFigures = u"練習のようす";
    static constexpr std::u16string_view kChart = u"はじめの一回で正解した割合（日ごと）";
    static constexpr std::u16string_view kWords = u"ことば";
    static constexpr std::u16string_view kMastered = u"できるようになった";
    static constexpr std::u16string_view kHard = u"まだむずかしい";
    static constexpr std::u16string_view kConfusions = u"まちがえやすいかな";

    struct Named
    {
        std::string_view name;
        std::u16string_view text;
    };
    // Each caption under the name the help page's template gives it, as {{add}}.
    static constexpr std::array kNamed = {
        Named { "children", kChildren },
        Named { "add", kAdd },
        Named { "rename", kRename },
        Named { "remove", kRemove },
        Named { "chooseFolder", kChooseFolder },
        Named { "start", kStart },
        Named { "practise", kPractise },
        Named { "cardTools", kCardTools },
        Named { "checkFolder", kCheckFolder },
        Named { "makeCards", kMakeCards },
        Named { "exportCsv", kExportCsv },
        Named { "exportPdf", kExportPdf },
        Named { "help", kHelp },
        Named { "dismiss", kDismiss },
        Named { "period", kPeriod },
        Named { "thisWeek", kThisWeek },
        Named { "thisMonth", kThisMonth },
        Named { "everything", kEverything },
        Named { "between", kBetween },
        Named { "figures", kFigures },
        Named { "chart", kChart },
        Named { "words", kWords },
        Named { "mastered", kMastered },
        Named { "hard", kHard },
        Named { "confusions", kConfusions },
    };
};
