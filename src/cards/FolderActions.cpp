#include "cards/FolderActions.h"

#include "cards/CardFileSystem.h"
#include "cards/CardName.h"
#include "cards/ImageConverter.h"
#include "cards/TakenNames.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "data/PictureListing.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

using Outcome = FolderActions::Outcome;
using Result = FolderActions::Result;
using Failure = CardFileSystem::Failure;

Result notDone(Outcome outcome, std::u16string message)
{
    return { outcome, std::move(message), {}, {} };
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

Result refusedName()
{
    return notDone(Outcome::NameRefused, u"この名前は使えません。ほかの名前にしてください。");
}

// What the teacher is told of a failed step; a name that is taken is told by the caller.
Result notChanged(std::u16string_view what, const CardFileSystem::Status& status)
{
    return status.failure == Failure::NotPermitted ? readOnly() : failed(what, status);
}

std::u16string shown(const fs::path& file)
{
    return Utf8Text::decodeReplacing(PathText::utf8(file.filename()));
}

std::u16string endingOf(std::u16string_view name)
{
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
}

} // namespace

FolderActions::FolderActions(std::filesystem::path folder, std::vector<KanaKeyboard> keyboards)
    : m_folder(std::move(folder))
    , m_keyboards(std::move(keyboards))
{ }

std::u16string FolderActions::OwnRest(const fs::path& picture, bool copy)
{
    // The rest of the name from its first "."; when that is no text, only the ending.
    const std::string name = PathText::utf8(picture.filename());
    std::string rest = name.substr(std::min(name.find('.'), name.size()));
    if (!Utf8Text::decode(rest) || rest.find('"') != std::string::npos)
        rest = name.substr(std::min(name.rfind('.'), name.size()));
    std::u16string text = Utf8Text::decodeReplacing(rest);
    if (copy)
        text = text.substr(0, text.rfind(u'.')) + u".jpg";
    return text;
}

std::optional<Result> FolderActions::refuse(std::u16string_view word) const
{
    if (const auto problem = CardName::NewWordProblem(word, m_keyboards))
        return notDone(Outcome::NameRefused, *problem);
    if (const auto access = CardFileSystem::CheckWritable(m_folder); !access.ok())
        return notChanged(u"フォルダーが使えません", access);
    return std::nullopt;
}

std::optional<Result> FolderActions::refuseName(const fs::path& picture, std::u16string_view name,
    std::u16string_view rest, std::u16string_view ending) const
{
    // The rest is the picture's own or a suggestion's: one name in this folder, with the ending
    // the picture (or its copy) must keep.
    if (rest.empty() || rest.front() != u'.' || rest.find_first_of(u"/\\") != rest.npos
        || TakenNames::folded(endingOf(rest)) != TakenNames::folded(ending)
        || !PictureListing::isStorableName(name))
        return refusedName();
    try {
        const TakenNames names(m_folder, PathText::fileName(picture).value_or(u""));
        if (const auto holder = names.holder(name))
            return taken(*holder);
    } catch (const std::runtime_error& failure) {
        return failed(u"フォルダーを読めませんでした",
            { Failure::Other, Utf8Text::decodeReplacing(failure.what()) });
    }
    return std::nullopt;
}

fs::path FolderActions::pathOf(std::u16string_view name) const
{
    return m_folder / PathText::fromText(name);
}

Result FolderActions::MakeJpegCopy(const fs::path& picture, std::u16string_view newWord,
    ImageConverter& converter, std::u16string_view rest) const
{
    if (auto refused = refuse(newWord))
        return *refused;
    const std::u16string ownRest = OwnRest(picture, true);
    const std::u16string_view given = rest.empty() ? std::u16string_view(ownRest) : rest;
    const std::u16string name = std::u16string(newWord) + std::u16string(given);
    if (auto refused = refuseName(picture, name, given, u".jpg"))
        return *refused;
    std::u16string reason;
    const auto bytes = converter.jpegCopy(picture, reason);
    if (!bytes)
        return notDone(Outcome::Failed, reason + u"何も変えていません。");
    Result made = place(pathOf(name), *bytes, false);
    if (made.outcome != Outcome::Done)
        return made;
    made.message = u"「" + shown(picture) + u"」から「" + name + u"」を作りました。";
    keep(picture, made);
    return made;
}

void FolderActions::keep(const fs::path& picture, Result& made) const
{
    // The copy is the card now. The picture goes where the drill and the check do not look, so
    // that the folder is in order again, under a name of its own there if it is taken.
    const fs::path folder = m_folder / PathText::fromText(kKeptFolder);
    std::error_code error;
    fs::create_directory(folder, error);
    CardFileSystem::Status moved { Failure::Other, Utf8Text::decodeReplacing(error.message()) };
    fs::path target = folder / picture.filename();
    for (int number = 2; !error && number <= 100; ++number) {
        moved = CardFileSystem::RenameNoReplace(picture, target);
        if (moved.failure != Failure::Exists)
            break;
        fs::path name = picture.stem();
        name += " (" + std::to_string(number) + ")";
        name += picture.extension();
        target = folder / name;
    }
    const std::u16string original = shown(picture);
    const std::u16string keptFolder(kKeptFolder);
    if (moved.ok()) {
        made.kept = target;
        const std::u16string keptName = shown(target);
        made.message += u"もとの「" + original + u"」は、タポミが使わない「" + keptFolder
            + u"」フォルダーに" + (keptName == original ? u"" : u"「" + keptName + u"」として")
            + u"移しました。";
        return;
    }
    std::u16string why = moved.reason;
    if (moved.failure == Failure::NotPermitted)
        why = u"書きこめません";
    else if (moved.failure == Failure::Exists)
        why = u"同じ名前の絵がたくさんあります";
    else if (error && fs::exists(folder, error))
        why = u"「" + keptFolder + u"」という名前のファイルがあります";
    made.message += u"もとの「" + original + u"」は「" + keptFolder
        + u"」フォルダーに移せなかったので、このフォルダーに残っています（" + why
        + u"）。いらなければ消してください。";
}

Result FolderActions::Rename(
    const fs::path& picture, std::u16string_view newWord, std::u16string_view rest) const
{
    if (auto refused = refuse(newWord))
        return *refused;
    const std::u16string ownRest = OwnRest(picture, false);
    const std::u16string_view given = rest.empty() ? std::u16string_view(ownRest) : rest;
    const std::u16string name = std::u16string(newWord) + std::u16string(given);
    if (auto refused = refuseName(picture, name, given, endingOf(ownRest)))
        return *refused;
    const fs::path target = pathOf(name);
    const auto renamed = CardFileSystem::RenameNoReplace(picture, target);
    if (renamed.failure == Failure::Exists)
        return taken(name);
    if (!renamed.ok())
        return notChanged(u"名前を変えられませんでした", renamed);
    return { Outcome::Done, u"「" + shown(picture) + u"」を「" + name + u"」に変えました。", target,
        {} };
}

Result FolderActions::SaveCard(
    std::u16string_view word, std::string_view jpegBytes, bool replace) const
{
    if (auto refused = refuse(word))
        return *refused;
    std::u16string name = std::u16string(word) + u".jpg";
    // A card of that name in another letter case is the one a Windows folder holds: kept, or
    // the one replaced.
    std::optional<std::u16string> holder;
    try {
        holder = TakenNames(m_folder).holder(name);
    } catch (const std::runtime_error& failure) {
        return failed(u"フォルダーを読めませんでした",
            { Failure::Other, Utf8Text::decodeReplacing(failure.what()) });
    }
    if (holder && !replace)
        return taken(*holder);
    if (holder)
        name = *holder;
    Result made = place(pathOf(name), jpegBytes, replace);
    if (made.outcome == Outcome::Done) {
        made.message = holder ? u"「" + name + u"」を新しい絵に取りかえました。"
                              : u"「" + name + u"」を作りました。";
    }
    return made;
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
            return taken(shown(target));
        return notChanged(u"絵を書きこめませんでした", moved);
    }
    return { Outcome::Done, {}, target, {} };
}
