#include "record/ExportTarget.h"

#include "data/TemporaryFileName.h"
#include "data/WindowsError.h"

#include <atomic>
#include <windows.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

ExportTarget::Failure failureOf(DWORD error)
{
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ExportTarget::Failure::MissingFolder;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return ExportTarget::Failure::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ExportTarget::Failure::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return ExportTarget::Failure::InUse;
    default:
        return ExportTarget::Failure::Other;
    }
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

} // namespace

std::optional<ExportTarget::Problem> ExportTarget::replace(
    const std::filesystem::path& target, std::string_view bytes)
{
    const auto problem = [](DWORD error) {
        return Problem { failureOf(error), WindowsError::reason(error) };
    };
    const std::wstring name = target.filename().native();
    if (name.empty() || name == L"." || name == L"..")
        return problem(ERROR_DIRECTORY);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    // Windows would let the rename replace a read-only file's name; the read-only mark is the
    // teacher's word that it must not change. A link there is replaced, not what it points to.
    const DWORD old = GetFileAttributesW(target.c_str());
    const bool entry = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    if (entry && (old & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return problem(ERROR_DIRECTORY);
    if (entry && (old & FILE_ATTRIBUTE_READONLY) != 0)
        return Problem { Failure::NoPermission, "the file is read-only" };

    std::filesystem::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder / TemporaryFileName::make(name, GetCurrentProcessId(), g_tempCounter++);
        file = CreateFileW(
            temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return problem(GetLastError());
    }
    if (file == INVALID_HANDLE_VALUE)
        return problem(ERROR_FILE_EXISTS);

    DWORD failed = ERROR_SUCCESS;
    if (!writeAll(file, bytes) || !FlushFileBuffers(file))
        failed = GetLastError();
    if (!CloseHandle(file) && failed == ERROR_SUCCESS)
        failed = GetLastError();
    if (failed != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        return problem(failed);
    }
    // Write-through: the call returns once the new name is on the disk. The folder took the
    // temporary file, so a refusal here is the old file held open (a spreadsheet showing it).
    if (!MoveFileExW(
            temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failed = GetLastError();
        DeleteFileW(temp.c_str());
        Problem moved = problem(failed);
        if (failed == ERROR_ACCESS_DENIED)
            moved.failure = Failure::InUse;
        return moved;
    }
    return std::nullopt;
}
