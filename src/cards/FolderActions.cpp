#include "cards/FolderActions.h"

#include "app/Utf8Text.h"
#include "cards/CardName.h"
#include "cards/ImageConverter.h"
#include "data/PictureListing.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using Outcome = FolderActions::Outcome;
using Result = FolderActions::Result;

Result notDone(Outcome outcome, std::u16string message)
{
    return { outcome, std::move(message), {} };
}

bool isPermissionError(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

Result readOnly()
{
    return notDone(Outcome::FolderReadOnly,
        u"このフォルダーには書きこめないので、何も変えていません。書きこめるフォルダーで"
        u"やりなおしてください。");
}

Result failed(std::u16string_view what, int error)
{
    return notDone(Outcome::Failed,
        std::u16string(what) + u"（" + Utf8Text::decodeReplacing(std::strerror(error)) + u"）。"
            + u"何も変えていません。");
}

Result taken(std::u16string_view name)
{
    return notDone(Outcome::NameTaken,
        u"「" + std::u16string(name) + u"」はもうあります。ほかの名前にしてください。");
}

// Moves from to to, failing with EEXIST when to exists. Where the file system can't do that in
// one step, a hard link does it; where it has no hard links either, the name is looked up first.
int renameNoReplace(const fs::path& from, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP)
        return errno;
    if (::access(to.c_str(), F_OK) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
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
    if (::access(m_folder.c_str(), W_OK) != 0) {
        if (isPermissionError(errno))
            return readOnly();
        return failed(u"フォルダーが使えません", errno);
    }
    return std::nullopt;
}

fs::path FolderActions::pathOf(std::u16string_view name) const
{
    return m_folder / fs::path(Utf8Text::encode(name));
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
    const std::string old = picture.filename().native();
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
    const int error = renameNoReplace(picture, target);
    if (error == EEXIST)
        return taken(name);
    if (isPermissionError(error))
        return readOnly();
    if (error != 0)
        return failed(u"名前を変えられませんでした", error);
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
    std::string temporary = (m_folder / ".tapomi-new-XXXXXX").native();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        if (isPermissionError(errno))
            return readOnly();
        return failed(u"絵を書きこめませんでした", errno);
    }
    int error = 0;
    for (std::size_t written = 0; written < bytes.size() && error == 0;) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno != EINTR)
            error = errno;
        else if (count > 0)
            written += static_cast<std::size_t>(count);
    }
    // The picture is made readable like any file the teacher saves (mkstemp gives 0600).
    if (error == 0 && (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0) {
        error = replace ? (::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno)
                        : renameNoReplace(temporary, target);
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        if (error == EEXIST)
            return taken(Utf8Text::decodeReplacing(target.filename().native()));
        if (isPermissionError(error))
            return readOnly();
        return failed(u"絵を書きこめませんでした", error);
    }
    return { Outcome::Done, {}, target };
}
