#include "cards/CardFileSystem.h"

#include "common/Utf8Text.h"
#include "data/WindowsError.h"

#include <atomic>
#include <string>
#include <windows.h>

namespace {

using Failure = CardFileSystem::Failure;
using Status = CardFileSystem::Status;

std::atomic<unsigned> g_counter { 0 };

Status fromError(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return { Failure::Exists, {} };
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return { Failure::NotPermitted, {} };
    default:
        return { Failure::Other, Utf8Text::decodeReplacing(WindowsError::reason(error)) };
    }
}

// A name of this process's own in the folder, with a leading dot so that the picture listing
// never takes it for a card.
std::filesystem::path hiddenName(const std::filesystem::path& folder, const wchar_t* kind)
{
    return folder
        / (std::wstring(L".tapomi-") + kind + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-"
            + std::to_wstring(g_counter++));
}

// Makes a new file under a hidden name, trying further names while one is taken.
HANDLE createHidden(const std::filesystem::path& folder, const wchar_t* kind, DWORD flags,
    std::filesystem::path& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = hiddenName(folder, kind);
        const HANDLE file
            = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Whether two names lead to one file: the same file on the same volume.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    const auto identity = [](const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
        const HANDLE file
            = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION first {};
    BY_HANDLE_FILE_INFORMATION second {};
    return identity(a, first) && identity(b, second)
        && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber
        && first.nFileIndexHigh == second.nFileIndexHigh
        && first.nFileIndexLow == second.nFileIndexLow;
}

bool move(const std::filesystem::path& from, const std::filesystem::path& to, DWORD flags)
{
    return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH);
}

} // namespace

Status CardFileSystem::CheckWritable(const std::filesystem::path& folder)
{
    // The access lists decide, and no call answers for them short of trying: a file is made
    // and goes again when it is closed.
    std::filesystem::path probe;
    const HANDLE file = createHidden(folder, L"probe",
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, probe);
    if (file == INVALID_HANDLE_VALUE)
        return fromError(GetLastError());
    CloseHandle(file);
    return {};
}

// Without MOVEFILE_REPLACE_EXISTING the move refuses a name that is taken. A name that differs
// only in case leads to the file itself, and a move onto it may be refused as taken or be done
// without the new spelling, so that one goes through a name of its own.
Status CardFileSystem::RenameNoReplace(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (!sameFile(from, to))
        return fromError(move(from, to, 0) ? ERROR_SUCCESS : GetLastError());
    const std::filesystem::path between = hiddenName(from.parent_path(), L"case");
    if (!move(from, between, 0))
        return fromError(GetLastError());
    if (!move(between, to, 0)) {
        const DWORD error = GetLastError();
        move(between, from, 0);
        return fromError(error);
    }
    return {};
}

Status CardFileSystem::RenameReplacing(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    return fromError(move(from, to, MOVEFILE_REPLACE_EXISTING) ? ERROR_SUCCESS : GetLastError());
}

Status CardFileSystem::WriteHidden(
    const std::filesystem::path& folder, std::string_view bytes, std::filesystem::path& made)
{
    std::filesystem::path name;
    const HANDLE file = createHidden(folder, L"new", FILE_ATTRIBUTE_NORMAL, name);
    if (file == INVALID_HANDLE_VALUE)
        return fromError(GetLastError());
    bool written = true;
    while (written && !bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD count = 0;
        written = WriteFile(file, bytes.data(), chunk, &count, nullptr);
        bytes.remove_prefix(count);
    }
    DWORD error = written && FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(name.c_str());
        return fromError(error);
    }
    made = name;
    return {};
}

void CardFileSystem::Remove(const std::filesystem::path& file) noexcept
{
    DeleteFileW(file.c_str());
}
