// Writes the help page: the template with its {{name}} pieces filled in when the program is
// built: the words of the teacher's window and card tools from the lists the windows show, the
// report's figures and slip groups as the report names them, and the kana key tables from the
// drill's own key tables.
//   tapomi_help_page TEMPLATE OUTPUT

#include "HelpTemplate.h"
#include "KeyTableHtml.h"
#include "cards/CardCaptions.h"
#include "cards/KanaKeyboard.h"
#include "common/Utf8Text.h"
#include "record/KanaConfusion.h"
#include "teacher/ReportText.h"
#include "teacher/TeacherCaptions.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

std::string html(std::u16string_view text)
{
    return HelpTemplate::Escaped(Utf8Text::encode(text));
}

// The report's four figures, as the window captions them: 「練習した日」「練習した時間」…
std::string figureNames()
{
    std::string names;
    for (const auto& [caption, value] : ReportText::Figures(ChildReport {}))
        names += "「" + html(caption) + "」";
    return names;
}

// The groups the kana a child confuses are counted in, in the report's order and words.
std::string groupNames()
{
    std::string list = "<ul>\n";
    for (int group = 0; group <= static_cast<int>(KanaConfusion::Group::Other); ++group)
        list += "<li>" + html(KanaConfusion::GroupName(static_cast<KanaConfusion::Group>(group)))
            + "</li>\n";
    return list + "</ul>\n";
}

template<typename Captions> bool addCaptions(std::map<std::string, std::string>& pieces)
{
    for (const auto& [name, text] : Captions::kNamed) {
        if (!pieces.emplace(std::string(name), html(text)).second) {
            std::fprintf(
                stderr, "tapomi_help_page: two captions are named %s\n", std::string(name).c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tapomi_help_page TEMPLATE OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        std::fprintf(stderr, "tapomi_help_page: can't read %s\n", argv[1]);
        return 1;
    }
    std::map<std::string, std::string> pieces {
        { "keyTables", KeyTableHtml::Tables(KanaKeyboard(false), KanaKeyboard(true)) },
        { "figureNames", figureNames() },
        { "groupNames", groupNames() },
    };
    if (!addCaptions<TeacherCaptions>(pieces) || !addCaptions<CardCaptions>(pieces))
        return 1;
    std::string problem;
    const std::optional<std::string> filled = HelpTemplate::Fill(page, pieces, problem);
    if (!filled) {
        std::fprintf(stderr, "tapomi_help_page: %s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << *filled;
    return out ? 0 : 1;
}
