#include "data/DataFileError.h"

#include "data/PathText.h"

#include <system_error>

namespace {

std::string headline(DataFileError::Kind kind)
{
    switch (kind) {
    case DataFileError::Kind::Open:
        return "データファイルを開けません";
    case DataFileError::Kind::Io:
        return "データファイルを読み込めません";
    case DataFileError::Kind::Read:
        return "データファイルの内容を読み取れません";
    case DataFileError::Kind::Write:
        return "データファイルを書きこめません";
    case DataFileError::Kind::List:
        return "画像フォルダーを読み取れません";
    }
    return "データファイルのエラー";
}

std::string compose(
    DataFileError::Kind kind, const std::filesystem::path& path, std::string_view detail)
{
    std::string text = headline(kind);
    if (!detail.empty()) {
        text += "（";
        text += detail;
        text += "）";
    }
    text += "\n";
    // The program only ever builds paths from text, so they show as the teacher typed them.
    text += PathText::utf8(path);
    return text;
}

} // namespace

DataFileError::DataFileError(Kind kind, const std::filesystem::path& path, std::string_view detail)
    : std::runtime_error(compose(kind, path, detail))
    , m_kind(kind)
    , m_path(path)
{ }

std::string DataFileError::systemReason(int errorNumber)
{
    return std::generic_category().message(errorNumber);
}
