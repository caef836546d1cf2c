#include "cards/FolderCheckCommand.h"

#include "cards/FolderCheck.h"
#include "common/Utf8Text.h"

#include <cstring>
#include <stdexcept>

namespace {

void print(std::ostream& stream, std::u16string_view text)
{
    stream << Utf8Text::encode(text) << '\n';
}

} // namespace

bool FolderCheckCommand::IsWanted(int argc, char** argv)
{
    return argc >= 2 && argv != nullptr && argv[1] != nullptr && std::strcmp(argv[1], kOption) == 0;
}

int FolderCheckCommand::Run(int argc, char** argv, const std::filesystem::path& praiseFile,
    std::ostream& out, std::ostream& err)
{
    std::string folderText;
    for (int i = 2; i < argc && argv[i] != nullptr; ++i) {
        if (i > 2)
            folderText += ' ';
        folderText += argv[i];
    }
    if (folderText.empty()) {
        print(err, u"使い方: tapomi-launcher --check フォルダー");
        return kError;
    }
    // UTF-8 on Windows, the name's own bytes on Linux: the u8 form of a path is either.
    const std::filesystem::path folder(
        std::u8string(reinterpret_cast<const char8_t*>(folderText.data()), folderText.size()));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        print(err, Utf8Text::decodeReplacing(folderText) + u": フォルダーが見つかりません。");
        return kError;
    }

    try {
        const FolderCheck check(folder, praiseFile);
        const std::vector<FolderFinding> findings = check.Run();
        for (const FolderFinding& finding : findings)
            print(out, Line(finding));
        if (findings.empty()) {
            print(err, u"どの絵も、子どもが答えられるカードです。");
            return kAllAnswerable;
        }
        const std::string count = std::to_string(findings.size());
        print(err,
            u"先生に見てほしいところが " + std::u16string(count.begin(), count.end())
                + u" 件あります。");
        return kNeedsTeacher;
    } catch (const std::exception& failure) {
        print(err, Utf8Text::decodeReplacing(failure.what()));
        return kError;
    }
}

std::u16string FolderCheckCommand::Line(const FolderFinding& finding)
{
    std::u16string line;
    if (!finding.fileName.empty())
        line = finding.fileName + u": ";
    line += finding.reason;
    if (!finding.advice.empty())
        line += u" → " + finding.advice;
    return line;
}
