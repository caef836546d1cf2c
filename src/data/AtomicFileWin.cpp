#include "data/AtomicFile.h"

#include "data/DataFileError.h"
#include "data/TemporaryFileName.h"
#include "data/WindowsError.h"

#include <atomic>
#include <chrono>
#include <string>
#include <windows.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

// A save takes milliseconds; a temporary file this old belongs to no save still running, even
// one of another machine sharing the folder, whose process numbers mean nothing here.
constexpr std::chrono::hours kAbandonedAfter { 1 };

// The attributes a teacher or the system may have given the old file that the new one keeps.
constexpr DWORD kKeptAttributes
    = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

[[noreturn]] void failWrite(const std::filesystem::path& path, std::string_view reason)
{
    throw DataFileError(DataFileError::Kind::Write, path, reason);
}

[[noreturn]] void failWrite(const std::filesystem::path& path, DWORD error)
{
    failWrite(path, WindowsError::reason(error));
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// True only when no process has that number any more; a process that runs but can't be
// examined counts as running.
bool processGone(DWORD pid)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Removes what earlier saves of target left behind when they were killed: temporary files of
// processes that no longer run, and any old enough that no save can still be writing it.
void removeAbandoned(const std::filesystem::path& folder, const std::wstring& target)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            return;
        const auto owner = TemporaryFileName::owner(entries->path().filename().native(), target);
        if (!owner)
            continue;
        const bool ownerGone = *owner > 0 && *owner != GetCurrentProcessId() && processGone(*owner);
        std::error_code timeError;
        const auto written = std::filesystem::last_write_time(entries->path(), timeError);
        const bool old = !timeError && now - written > kAbandonedAfter;
        if (ownerGone || old)
            DeleteFileW(entries->path().c_str());
    }
}

} // namespace

void AtomicFile::replace(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path target = linkTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    // Windows would let the rename replace a read-only file's name; the read-only mark is the
    // teacher's word that it must not change.
    const DWORD old = GetFileAttributesW(target.c_str());
    const bool replacing = old != INVALID_FILE_ATTRIBUTES;
    if (replacing && (old & FILE_ATTRIBUTE_READONLY) != 0)
        failWrite(path, "読み取り専用のファイルです");

    const std::wstring targetName = target.filename().native();
    removeAbandoned(folder, targetName);

    const DWORD attributes
        = replacing && (old & kKeptAttributes) != 0 ? old & kKeptAttributes : FILE_ATTRIBUTE_NORMAL;
    std::filesystem::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        // Named with a leading dot and its own ending, so that the picture listing never
        // picks it up.
        temp = folder / TemporaryFileName::make(targetName, GetCurrentProcessId(), g_tempCounter++);
        file
            = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            failWrite(path, GetLastError());
    }
    if (file == INVALID_HANDLE_VALUE)
        failWrite(path, static_cast<DWORD>(ERROR_FILE_EXISTS));

    const auto abandon = [&](DWORD error) {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        DeleteFileW(temp.c_str());
        failWrite(path, error);
    };

    if (!writeAll(file, bytes) || !FlushFileBuffers(file))
        abandon(GetLastError());
    const bool closed = CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    if (!closed)
        abandon(GetLastError());
    // Write-through: the call returns once the new name is on the disk.
    if (!MoveFileExW(
            temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        abandon(GetLastError());
}
