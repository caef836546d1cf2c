#include "record/ExportTarget.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordError.h"
#include "record/RecordFiles.h"

namespace {

RecordError::Kind kindOf(ExportTarget::Failure failure)
{
    switch (failure) {
    case ExportTarget::Failure::NoPermission:
        return RecordError::Kind::ReadOnly;
    case ExportTarget::Failure::DiskFull:
        return RecordError::Kind::Full;
    case ExportTarget::Failure::InUse:
        return RecordError::Kind::Locked;
    case ExportTarget::Failure::RecordFile:
    case ExportTarget::Failure::MissingFolder:
    case ExportTarget::Failure::Other:
        break;
    }
    return RecordError::Kind::Other;
}

std::u16string teacherText(ExportTarget::Failure failure, const std::string& reason)
{
    switch (failure) {
    case ExportTarget::Failure::RecordFile:
        return u"そこは記録のファイルなので、保存しませんでした。別の名前にしてください。";
    case ExportTarget::Failure::MissingFolder:
        return u"保存先のフォルダーがありません。フォルダーをえらびなおしてください。";
    case ExportTarget::Failure::NoPermission:
        return u"保存先に書く許可がありません。別の場所にしてください。";
    case ExportTarget::Failure::DiskFull:
        return u"ディスクがいっぱいで保存できませんでした。いらないファイルを消すか、"
               u"別の場所にしてください。";
    case ExportTarget::Failure::InUse:
        return u"ほかのプログラムがそのファイルを開いているため、保存できませんでした。"
               u"そのファイルを閉じてから、もう一度保存してください。";
    case ExportTarget::Failure::Other:
        break;
    }
    return u"保存できませんでした（" + Utf8Text::decodeReplacing(reason) + u"）。";
}

} // namespace

void ExportTarget::Save(const std::filesystem::path& target,
    const std::filesystem::path& databaseFile, std::string_view bytes)
{
    std::optional<Problem> problem;
    if (RecordFiles(databaseFile).holds(target))
        problem = Problem { Failure::RecordFile, "it is one of the record's files" };
    else
        problem = replace(target, bytes);
    if (problem) {
        throw RecordError(kindOf(problem->failure),
            "cannot save " + PathText::utf8(target) + ": " + problem->reason,
            teacherText(problem->failure, problem->reason));
    }
}
