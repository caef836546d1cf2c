#include "record/RecordProblems.h"

#include <windows.h>

bool RecordProblems::appendLine(std::string_view line) const noexcept
{
    // Asked for appending alone (no FILE_WRITE_DATA), each write goes to the end as one piece,
    // as O_APPEND does. Shared for reading and deleting, so that the teacher's window can read
    // and clear the notes while a drill holds the file.
    const HANDLE file = CreateFileW(m_file.c_str(), FILE_APPEND_DATA | GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    const bool sized = GetFileSizeEx(file, &size);
    DWORD written = 0;
    const bool whole
        = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)
        && written == line.size() && FlushFileBuffers(file);
    CloseHandle(file);
    // A note cut short would be read as another; an empty file as a note given.
    if (!whole && sized && size.QuadPart == 0)
        DeleteFileW(m_file.c_str());
    return whole;
}
