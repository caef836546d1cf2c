#include "data/AtomicFile.h"

#include "data/DataFileError.h"
#include "data/TemporaryFileName.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

// How many names are tried for the temporary file before the save gives up.
constexpr int kNameAttempts = 100;

// A save takes milliseconds; a temporary file this old belongs to no save still running, even
// one of another machine sharing the folder, whose process numbers mean nothing here.
constexpr std::chrono::hours kAbandonedAfter { 1 };

[[noreturn]] void failWrite(const std::filesystem::path& path, std::string_view reason)
{
    throw DataFileError(DataFileError::Kind::Write, path, reason);
}

} // namespace

std::filesystem::path AtomicFile::linkTarget(const std::filesystem::path& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_symlink(path, ignored))
        return path;
    std::filesystem::path target = std::filesystem::weakly_canonical(path, ignored);
    return target.empty() ? path : target;
}

// Temporary files of processes that no longer run, and any old enough that no save can still be
// writing it.
void AtomicFile::removeAbandoned(
    const std::filesystem::path& folder, const std::filesystem::path& targetName)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            return;
        const auto owner
            = TemporaryFileName::owner(entries->path().filename().native(), targetName.native());
        if (!owner)
            continue;
        const bool ownerGone = *owner > 0 && *owner != processId() && processGone(*owner);
        std::error_code timeError;
        const auto written = std::filesystem::last_write_time(entries->path(), timeError);
        const bool old = !timeError && now - written > kAbandonedAfter;
        std::error_code ignored;
        if (ownerGone || old)
            std::filesystem::remove(entries->path(), ignored);
    }
}

void AtomicFile::replace(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path target = linkTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    // The rename needs only the folder's permission; the file's own is the teacher's word on
    // whether it may change.
    const Existing old = examine(target);
    if (old.exists && old.readOnly)
        failWrite(path, "読み取り専用のファイルです");

    const std::filesystem::path targetName = target.filename();
    removeAbandoned(folder, targetName);

    std::filesystem::path temp;
    Created created;
    for (int attempt = 0; attempt < kNameAttempts && !created.file; ++attempt) {
        // Hidden and with its own ending, so that the picture listing never picks it up.
        temp = folder / TemporaryFileName::make(targetName.native(), processId(), g_tempCounter++);
        created = createNew(temp, old);
        if (created.failure && !created.nameTaken)
            failWrite(path, *created.failure);
    }
    if (!created.file)
        failWrite(path, created.failure.value_or(std::string()));
    const Handle file = *created.file;

    const auto abandon = [&](const std::string& reason) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        failWrite(path, reason);
    };
    if (Failure written = writeAndSync(file, bytes)) {
        close(file);
        abandon(*written);
    }
    if (old.exists)
        keepFrom(file, old);
    if (Failure closed = close(file))
        abandon(*closed);
    if (Failure renamed = rename(temp, target))
        abandon(*renamed);
}
