#include "record/PendingAnswers.h"

#include "data/PathText.h"
#include "data/WindowsError.h"
#include "record/RecordError.h"

#include <string>

#include <windows.h>

namespace {

// The file, open and locked whole with LockFileEx, which belongs to this handle. Shared for
// reading, writing and deleting, so that the teacher can still open it in an editor.
class LockedFile
{
public:
    LockedFile(const std::filesystem::path& file, DWORD disposition)
    {
        m_handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE)
            return;
        OVERLAPPED whole {};
        if (!LockFileEx(m_handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }
    ~LockedFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle); // drops the lock
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    HANDLE handle() const { return m_handle; }
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

bool cutTo(HANDLE file, LONGLONG size)
{
    LARGE_INTEGER at {};
    at.QuadPart = size;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

[[noreturn]] void fail(const std::filesystem::path& file, const char* doing)
{
    const DWORD error = GetLastError();
    const RecordError::Kind kind = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL
        ? RecordError::Kind::Full
        : error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? RecordError::Kind::ReadOnly
                                                                       : RecordError::Kind::Other;
    throw RecordError(
        kind, PathText::utf8(file) + ": " + doing + ": " + WindowsError::reason(error));
}

} // namespace

bool PendingAnswers::appendLocked(std::string_view bytes) const noexcept
{
    const LockedFile file(m_file, OPEN_ALWAYS);
    if (!file.isOpen())
        return false;
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(file.handle(), &size))
        return false;
    // A line that an earlier append left unfinished is ended first, so that it spoils only
    // itself.
    std::string text;
    if (size.QuadPart > 0) {
        LARGE_INTEGER last {};
        last.QuadPart = size.QuadPart - 1;
        char byte = '\n';
        DWORD got = 0;
        if (SetFilePointerEx(file.handle(), last, nullptr, FILE_BEGIN)
            && ReadFile(file.handle(), &byte, 1, &got, nullptr) && got == 1 && byte != '\n')
            text = "\n";
    }
    text += bytes;
    LARGE_INTEGER end {};
    end.QuadPart = size.QuadPart;
    DWORD written = 0;
    const bool whole = SetFilePointerEx(file.handle(), end, nullptr, FILE_BEGIN)
        && WriteFile(file.handle(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
        && written == text.size() && FlushFileBuffers(file.handle());
    if (!whole) {
        if (cutTo(file.handle(), size.QuadPart))
            FlushFileBuffers(file.handle());
        return false;
    }
    return true;
}

void PendingAnswers::reserve() const noexcept
{
    const LockedFile file(m_file, OPEN_ALWAYS);
    if (!file.isOpen())
        return;
    FILE_STANDARD_INFO standard {};
    if (!GetFileInformationByHandleEx(file.handle(), FileStandardInfo, &standard, sizeof standard))
        return;
    // Kept already: the file is left untouched, so that those who watch it see no change.
    const LONGLONG wanted = standard.EndOfFile.QuadPart + static_cast<LONGLONG>(kReservedBytes);
    if (standard.AllocationSize.QuadPart >= wanted)
        return;
    FILE_ALLOCATION_INFO room {};
    room.AllocationSize.QuadPart = wanted;
    SetFileInformationByHandle(file.handle(), FileAllocationInfo, &room, sizeof room);
}

void PendingAnswers::readLocked(const std::function<void(std::string_view bytes)>& use) const
{
    const LockedFile file(m_file, OPEN_EXISTING);
    if (!file.isOpen()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return;
        fail(m_file, "open");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.handle(), buffer, sizeof buffer, &got, nullptr))
            fail(m_file, "read");
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    if (bytes.empty())
        return;
    use(bytes);
    // Taken in: emptied, never deleted, since a drill may be waiting for the lock on this very
    // file; an empty file waits for nothing.
    if (!cutTo(file.handle(), 0) || !FlushFileBuffers(file.handle()))
        fail(m_file, "empty");
}
