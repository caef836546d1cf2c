#include "cards/FolderReadiness.h"

#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/PathText.h"
#include "data/PictureListing.h"

#include <system_error>

FolderReadiness::Problem FolderReadiness::Of(const std::filesystem::path& folder)
{
    std::error_code error;
    if (folder.empty() || !std::filesystem::exists(folder, error))
        return Problem::Missing;
    try {
        if (PictureListing::List(folder).empty())
            return Problem::NoPictures;
    } catch (const DataFileError&) {
        return Problem::Unreadable;
    }
    // The drill writes its settings and card selection beside the pictures.
    if (!MayWriteIn(folder))
        return Problem::NotWritable;
    return Problem::None;
}

std::u16string FolderReadiness::Text(Problem problem, const std::filesystem::path& folder)
{
    std::u16string name = u"\n";
    name += Utf8Text::decodeReplacing(PathText::utf8(folder));
    switch (problem) {
    case Problem::None:
        break;
    case Problem::Missing:
        return u"このフォルダーは見つかりません。" + name;
    case Problem::Unreadable:
        return u"このフォルダーは読めません。読むことのできるフォルダーをえらんでください。" + name;
    case Problem::NotWritable:
        return u"このフォルダーには書きこめません。タポミは設定（tapomi.txt）とカードの選び"
               u"（Fname.txt）を絵といっしょに保存します。書きこめるフォルダーをえらぶか、"
               u"絵を書きこめるフォルダーにコピーしてください。"
            + name;
    case Problem::NoPictures:
        return u"このフォルダーには絵（.jpg .gif .bmp）がありません。絵の名前は、ひらがなの"
               u"ことば（りんご.jpg など）にしてください。"
            + name;
    }
    return {};
}
