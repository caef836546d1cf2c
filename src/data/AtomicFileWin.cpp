#include "data/AtomicFile.h"

#include "data/WindowsError.h"

#include <windows.h>

namespace {

// The attributes a teacher or the system may have given the old file that the new one keeps.
constexpr DWORD kKeptAttributes
    = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE handleOf(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

std::string lastError()
{
    return WindowsError::reason(GetLastError());
}

} // namespace

// Windows would let the rename replace a read-only file's name; the read-only mark is the
// teacher's word that it must not change.
AtomicFile::Existing AtomicFile::examine(const std::filesystem::path& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    Existing old;
    old.exists = true;
    old.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    old.kept = attributes & kKeptAttributes;
    return old;
}

unsigned long AtomicFile::processId()
{
    return GetCurrentProcessId();
}

// A process that runs but can't be examined counts as running.
bool AtomicFile::processGone(unsigned long processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

AtomicFile::Created AtomicFile::createNew(const std::filesystem::path& temp, const Existing& old)
{
    const DWORD attributes = old.kept != 0 ? old.kept : FILE_ATTRIBUTE_NORMAL;
    HANDLE file
        = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return { reinterpret_cast<Handle>(file), false, std::nullopt };
    const DWORD error = GetLastError();
    return { std::nullopt, error == ERROR_FILE_EXISTS, WindowsError::reason(error) };
}

AtomicFile::Failure AtomicFile::writeAndSync(Handle file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handleOf(file), bytes.data(), chunk, &written, nullptr))
            return lastError();
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(handleOf(file)))
        return lastError();
    return std::nullopt;
}

// The attributes were given when the file was made.
void AtomicFile::keepFrom(Handle, const Existing&)
{
}

AtomicFile::Failure AtomicFile::close(Handle file)
{
    if (!CloseHandle(handleOf(file)))
        return lastError();
    return std::nullopt;
}

// Write-through: the call returns once the new name is on the disk.
AtomicFile::Failure AtomicFile::rename(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return std::nullopt;
}
