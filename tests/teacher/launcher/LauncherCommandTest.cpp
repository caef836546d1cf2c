#include "teacher/LauncherCommand.h"

#include "data/PathText.h"

#include <gtest/gtest.h>

namespace {

using Action = LauncherCommand::Action;

TEST(LauncherCommandTest, ReadsEachOptionAndRefusesWhatItDoesNotKnow)
{
    struct Case
    {
        std::vector<std::string> arguments;
        Action action;
        std::u16string name;
        std::string path;
        std::u16string problem; // part of it, for Invalid
    };
    const Case cases[] = {
        { {}, Action::TeacherWindow, u"", "", u"" },
        { { "--child", "はなこ" }, Action::Child, u"はなこ", "", u"" },
        { { "--child", "はなこ", "/home/sensei/えカード 2組" }, Action::Child, u"はなこ",
            "/home/sensei/えカード 2組", u"" },
        // The name as given: the record cleans it.
        { { "--child", "  たろう　" }, Action::Child, u"  たろう　", "", u"" },
        { { "--add-child", "山田 花子" }, Action::AddChild, u"山田 花子", "", u"" },
        { { "--export-csv", "はなこ", "out.csv" }, Action::ExportCsv, u"はなこ", "out.csv", u"" },
        { { "--export-pdf", "はなこ", "/tmp/まとめ.pdf" }, Action::ExportPdf, u"はなこ",
            "/tmp/まとめ.pdf", u"" },
        { { "--help" }, Action::Help, u"", "", u"" },
        { { "-h" }, Action::Help, u"", "", u"" },
        // Refused, each with what was wrong.
        { { "--child" }, Action::Invalid, u"", "", u"--child 名前 [フォルダー]" },
        { { "--child", "a", "b", "c" }, Action::Invalid, u"", "", u"--child 名前 [フォルダー]" },
        { { "--add-child" }, Action::Invalid, u"", "", u"--add-child 名前" },
        { { "--add-child", "a", "b" }, Action::Invalid, u"", "", u"--add-child 名前" },
        { { "--export-csv", "はなこ" }, Action::Invalid, u"", "", u"--export-csv 名前 ファイル" },
        { { "--export-pdf", "はなこ" }, Action::Invalid, u"", "", u"--export-pdf 名前 ファイル" },
        { { "--help", "more" }, Action::Invalid, u"", "", u"--help" },
        { { "--add-child", "" }, Action::Invalid, u"", "", u"名前がありません" },
        { { "--add-child", "\xff\xfe" }, Action::Invalid, u"", "", u"名前がありません" },
        { { "--export-csv", "はなこ", "" }, Action::Invalid, u"", "", u"ファイルの名前" },
        { { "--child", "はなこ", "" }, Action::Invalid, u"", "", u"フォルダーの名前" },
        { { "--kid", "はなこ" }, Action::Invalid, u"", "", u"知らない指定です：--kid" },
        // A folder named as the drill takes it, without the option, is not guessed at.
        { { "/home/sensei/えカード" }, Action::Invalid, u"", "", u"知らない指定です" },
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments)
            shown += "[" + argument + "]";
        const LauncherCommand command = LauncherCommand::Parse(c.arguments);
        EXPECT_EQ(command.action(), c.action) << shown;
        if (c.action == Action::Invalid) {
            EXPECT_NE(command.problem().find(c.problem), std::u16string::npos) << shown;
            continue;
        }
        EXPECT_TRUE(command.problem().empty()) << shown;
        EXPECT_EQ(command.childName(), c.name) << shown;
        EXPECT_EQ(PathText::utf8(command.path()), c.path) << shown;
    }

    // The help names every option, and where the record is.
    const std::u16string help
        = LauncherCommand::HelpText(PathText::fromText(u"記録/records.sqlite"));
    for (const char16_t* option :
        { u"--child 名前 [フォルダー]", u"--add-child 名前", u"--export-csv 名前 ファイル",
            u"--export-pdf 名前 ファイル", u"--help", u"記録/records.sqlite" })
        EXPECT_NE(help.find(option), std::u16string::npos) << "help lacks an option or the record";
}

} // namespace
