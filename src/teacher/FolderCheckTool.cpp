#include "teacher/FolderCheckTool.h"

#include "app/Utf8Text.h"
#include "app/launcher/Launcher.h"
#include "data/PictureListing.h"

std::optional<std::u16string> FolderCheckTool::run(const std::filesystem::path& folder)
{
    const Launcher::FolderProblem problem = Launcher::CheckFolder(folder);
    if (problem != Launcher::FolderProblem::None)
        return Launcher::ProblemText(problem, folder);
    // CheckFolder has listed it already, so listing again does not fail but for a race.
    std::size_t cards = 0;
    try {
        cards = PictureListing::List(folder).size();
    } catch (const std::exception&) {
        return Launcher::ProblemText(Launcher::FolderProblem::Unreadable, folder);
    }
    return u"このフォルダーで練習できます。カードは "
        + Utf8Text::decodeReplacing(std::to_string(cards)) + u" 枚です。\n"
        + Utf8Text::decodeReplacing(folder.native());
}
