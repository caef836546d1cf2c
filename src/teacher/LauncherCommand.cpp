#include "teacher/LauncherCommand.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"

#include <optional>
#include <string_view>

namespace {

// An argument is UTF-8 on Windows and the name's own bytes on Linux: the u8 form of a path is
// exactly that on both, where the narrow form would be the ANSI code page on Windows.
std::filesystem::path pathOf(const std::string& argument)
{
    return std::u8string(reinterpret_cast<const char8_t*>(argument.data()), argument.size());
}

struct Option
{
    std::string_view name;
    LauncherCommand::Action action;
    std::size_t least; // arguments after the option
    std::size_t most;
    std::u16string_view usage;
};

constexpr Option kOptions[] = {
    { "--child", LauncherCommand::Action::Child, 1, 2, u"--child 名前 [フォルダー]" },
    { "--add-child", LauncherCommand::Action::AddChild, 1, 1, u"--add-child 名前" },
    { "--export-csv", LauncherCommand::Action::ExportCsv, 2, 2, u"--export-csv 名前 ファイル" },
    { "--export-pdf", LauncherCommand::Action::ExportPdf, 2, 2, u"--export-pdf 名前 ファイル" },
    { "--help", LauncherCommand::Action::Help, 0, 0, u"--help" },
    { "-h", LauncherCommand::Action::Help, 0, 0, u"--help" },
};

} // namespace

LauncherCommand LauncherCommand::Parse(const std::vector<std::string>& arguments)
{
    LauncherCommand command;
    if (arguments.empty())
        return command;
    const auto invalid = [&command](std::u16string problem) {
        command.m_action = Action::Invalid;
        command.m_problem = std::move(problem);
        return command;
    };

    const std::string& first = arguments.front();
    const Option* option = nullptr;
    for (const Option& candidate : kOptions) {
        if (first == candidate.name)
            option = &candidate;
    }
    if (!option)
        return invalid(u"知らない指定です：" + Utf8Text::decodeReplacing(first));
    const std::size_t count = arguments.size() - 1;
    if (count < option->least || count > option->most)
        return invalid(u"使い方：tapomi-launcher " + std::u16string(option->usage));

    command.m_action = option->action;
    if (option->least == 0)
        return command;
    // Taken as given: the record cleans a child's name (blanks, composed form) in one place.
    const std::optional<std::u16string> name = Utf8Text::decode(arguments[1]);
    if (!name || name->empty())
        return invalid(u"子どもの名前がありません（または読めない文字があります）。");
    command.m_childName = *name;
    if (count == 2) {
        if (arguments[2].empty())
            return invalid(option->action == Action::Child ? u"フォルダーの名前がありません。"
                                                           : u"ファイルの名前がありません。");
        command.m_path = pathOf(arguments[2]);
    }
    return command;
}

std::u16string LauncherCommand::HelpText(const std::filesystem::path& recordFile)
{
    return u"使い方：tapomi-launcher [指定]\n"
           u"\n"
           u"指定がなければ、先生の画面をひらきます（子どもの一覧、記録、練習のはじめ方）。\n"
           u"\n"
           u"  --child 名前 [フォルダー]\n"
           u"      その子の記録をとりながら、すぐに練習をはじめます。フォルダーを書かないと、\n"
           u"      その子が前に使ったフォルダーで練習します。書いたフォルダーは次のために\n"
           u"      おぼえます。\n"
           u"  --add-child 名前\n"
           u"      子どもを追加します。画面はいりません。\n"
           u"  --export-csv 名前 ファイル\n"
           u"      その子のすべての記録を CSV（表計算ソフト用、UTF-8）で保存します。\n"
           u"  --export-pdf 名前 ファイル\n"
           u"      その子のすべての記録のまとめを PDF（A4 一枚）で保存します。\n"
           u"  --check フォルダー\n"
           u"      絵のフォルダーを調べて、子どもが答えられないカードを一行ずつ知らせます。\n"
           u"      画面はいりません。終了状態は、問題なし 0、先生に見てほしいところあり 1、\n"
           u"      調べられない 2 です。\n"
           u"  --help\n"
           u"      この説明を出します。\n"
           u"\n"
           u"記録は "
        + Utf8Text::decodeReplacing(PathText::utf8(recordFile))
        + u" にあり、このコンピューターの外には出ません。\n"
          u"うまくいかなかったときは、わけを標準エラーに出して、0 でない終了状態で終わります。\n";
}
