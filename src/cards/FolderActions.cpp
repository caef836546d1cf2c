#include "cards/FolderActions.h"

#include "app/Utf8Text.h"
#include "cards/CardFileSystem.h"
#include "cards/CardName.h"
#include "cards/ImageConverter.h"
#include "data/PathText.h"
#include "data/PictureListing.h"

#include <string>

namespace {

namespace fs = std::filesystem;

using Outcome = FolderActions::Outcome;
using Result = FolderActions::Result;
using Failure = CardFileSystem::Failure;

Result notDone(Outcome outcome, std::u16string message)
{
    return { outcome, std::move(message), {} };
}

Result readOnly()
{
    return notDone(Outcome::FolderReadOnly,
        u"このフォルダーには書きこめないので、何も変えていません。書きこめるフォルダーで"
        u"やりなおしてください。");
}

Result failed(std::u16string_view what, const CardFileSystem::Status& status)
{
    return notDone(Outcome::Failed,
        std::u16string(what) + u"（" + status.reason + u"）。" + u"何も変えていません。");
}

Result taken(std::u16string_view name)
{
    return notDone(Outcome::NameTaken,
        u"「" + std::u16string(name) + u"」はもうあります。ほかの名前にしてください。");
}

// What the teacher is told of a failed step; a name that is taken is told by the caller.
Result notChanged(std::u16string_view what, const CardFileSystem::Status& status)
{
    return status.failure == Failure::NotPermitted ? readOnly() : failed(what, status);
}

} // namespace

FolderActions::FolderActions(std::filesystem::path folder, std::vector<KanaKeyboard> keyboards)
    : m_folder(std::move(folder))
    , m_keyboards(std::move(keyboards))
{ }

std::optional<Result> FolderActions::refuse(std::u16string_view word) const
{
    if (const auto problem = CardName::NewWordProblem(word, m_keyboards))
        return notDone(Outcome::NameRefused, *problem);
    if (const auto access = CardFileSystem::CheckWritable(m_folder); !access.ok())
        return notChanged(u"フォルダーが使えません", access);
    return std::nullopt;
}

fs::path FolderActions::pathOf(std::u16string_view name) const
{
    return m_folder / PathText::fromText(name);
}

Result FolderActions::MakeJpegCopy(
    const fs::path& picture, std::u16string_view newWord, ImageConverter& converter) const
{
    if (auto refused = refuse(newWord))
        return *refused;
    const std::u16string name = std::u16string(newWord) + u".jpg";
    std::error_code error;
    if (fs::exists(pathOf(name), error))
        return taken(name);
    std::u16string reason;
    const auto bytes = converter.jpegCopy(picture, reason);
    if (!bytes)
        return notDone(Outcome::Failed, reason + u"何も変えていません。");
    return place(pathOf(name), *bytes, false);
}

Result FolderActions::Rename(const fs::path& picture, std::u16string_view newWord) const
{
    if (auto refused = refuse(newWord))
        return *refused;
    // The rest of the name from its first "." stays; when that is no text, only the ending.
    const std::string old = PathText::utf8(picture.filename());
    std::string rest = old.substr(std::min(old.find('.'), old.size()));
    if (!Utf8Text::decode(rest) || rest.find('"') != std::string::npos)
        rest = old.substr(std::min(old.rfind('.'), old.size()));
    const std::u16string name = std::u16string(newWord) + Utf8Text::decodeReplacing(rest);
    if (!PictureListing::isStorableName(name))
        return notDone(Outcome::NameRefused, u"この名前は使えません。ほかの名前にしてください。");

    // A name that composes to the new one (ぶ written as ふ and a mark) would make one card.
    const auto oldName = Utf8Text::decode(old);
    for (const PictureListing::Entry& entry : PictureListing::ListAll(m_folder)) {
        if (entry.name == name && (!oldName || entry.fileName != *oldName))
            return taken(entry.fileName);
    }
    const fs::path target = pathOf(name);
    const auto renamed = CardFileSystem::RenameNoReplace(picture, target);
    if (renamed.failure == Failure::Exists)
        return taken(name);
    if (!renamed.ok())
        return notChanged(u"名前を変えられませんでした", renamed);
    return { Outcome::Done, {}, target };
}

Result FolderActions::SaveCard(
    std::u16string_view word, std::string_view jpegBytes, bool replace) const
{
    if (auto refused = refuse(word))
        return *refused;
    return place(pathOf(std::u16string(word) + u".jpg"), jpegBytes, replace);
}

Result FolderActions::place(const fs::path& target, std::string_view bytes, bool replace) const
{
    fs::path temporary;
    const auto written = CardFileSystem::WriteHidden(m_folder, bytes, temporary);
    if (!written.ok())
        return notChanged(u"絵を書きこめませんでした", written);
    const auto moved = replace ? CardFileSystem::RenameReplacing(temporary, target)
                               : CardFileSystem::RenameNoReplace(temporary, target);
    if (!moved.ok()) {
        CardFileSystem::Remove(temporary);
        if (moved.failure == Failure::Exists)
            return taken(Utf8Text::decodeReplacing(PathText::utf8(target.filename())));
        return notChanged(u"絵を書きこめませんでした", moved);
    }
    return { Outcome::Done, {}, target };
}
