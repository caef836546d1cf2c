#include "record/LockedFile.h"

#include "data/WindowsError.h"

#include <windows.h>

namespace {

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

bool cutTo(HANDLE file, LONGLONG size)
{
    LARGE_INTEGER at {};
    at.QuadPart = size;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

} // namespace

// Shared for reading, writing and deleting, so that the teacher can still open the file in an
// editor; a file is never deleted by the program, only emptied.
LockedFile::LockedFile(const std::filesystem::path& file, Open open)
    : m_file(file)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        open == Open::OrCreate ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = GetLastError();
        m_missing = m_error == ERROR_FILE_NOT_FOUND || m_error == ERROR_PATH_NOT_FOUND;
        return;
    }
    OVERLAPPED whole {};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        m_error = GetLastError();
        CloseHandle(handle);
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
}

LockedFile::~LockedFile()
{
    if (isOpen())
        CloseHandle(handleOf(m_handle));
}

bool LockedFile::isOpen() const
{
    return handleOf(m_handle) != INVALID_HANDLE_VALUE;
}

bool LockedFile::appendLine(std::string_view bytes)
{
    const HANDLE file = handleOf(m_handle);
    LARGE_INTEGER size {};
    if (!isOpen() || !GetFileSizeEx(file, &size))
        return false;
    std::string text;
    if (size.QuadPart > 0) {
        LARGE_INTEGER last {};
        last.QuadPart = size.QuadPart - 1;
        char lastByte = '\n';
        DWORD got = 0;
        if (SetFilePointerEx(file, last, nullptr, FILE_BEGIN)
            && ReadFile(file, &lastByte, 1, &got, nullptr) && got == 1 && lastByte != '\n')
            text = "\n";
    }
    text += bytes;
    DWORD written = 0;
    const bool whole = SetFilePointerEx(file, size, nullptr, FILE_BEGIN)
        && WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
        && written == text.size() && FlushFileBuffers(file);
    if (!whole) {
        m_error = GetLastError();
        if (cutTo(file, size.QuadPart))
            FlushFileBuffers(file);
    }
    return whole;
}

std::optional<std::string> LockedFile::readAll()
{
    const HANDLE file = handleOf(m_handle);
    LARGE_INTEGER start {};
    if (!isOpen() || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            m_error = GetLastError();
            return std::nullopt;
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

bool LockedFile::empty()
{
    const HANDLE file = handleOf(m_handle);
    if (!isOpen() || !cutTo(file, 0) || !FlushFileBuffers(file)) {
        m_error = GetLastError();
        return false;
    }
    return true;
}

void LockedFile::keepRoom(std::uint64_t bytes)
{
    const HANDLE file = handleOf(m_handle);
    FILE_STANDARD_INFO standard {};
    if (!isOpen()
        || !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
        return;
    const LONGLONG wanted = standard.EndOfFile.QuadPart + static_cast<LONGLONG>(bytes);
    if (standard.AllocationSize.QuadPart >= wanted)
        return;
    FILE_ALLOCATION_INFO room {};
    room.AllocationSize.QuadPart = wanted;
    SetFileInformationByHandle(file, FileAllocationInfo, &room, sizeof room);
}

std::string LockedFile::lastError() const
{
    return WindowsError::reason(m_error);
}
