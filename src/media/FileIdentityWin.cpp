#include "media/FileIdentity.h"

#include "common/Utf8Text.h"

#include <windows.h>

namespace {

std::int64_t ticks(LARGE_INTEGER time)
{
    return time.QuadPart;
}

std::uint64_t combined(DWORD high, DWORD low)
{
    return std::uint64_t { high } << 32 | low;
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(const std::string& path)
{
    const std::u16string name = Utf8Text::decodeReplacing(path);
    // Opened for its attributes only, and shared every way, so that a recorder writing the file
    // at the same moment is not disturbed.
    HANDLE file = CreateFileW(std::wstring(name.begin(), name.end()).c_str(), 0,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info {};
    FILE_BASIC_INFO times {};
    const bool read = GetFileInformationByHandle(file, &info)
        && GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times);
    CloseHandle(file);
    if (!read || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileIdentity { info.dwVolumeSerialNumber,
        combined(info.nFileIndexHigh, info.nFileIndexLow),
        static_cast<std::int64_t>(combined(info.nFileSizeHigh, info.nFileSizeLow)),
        ticks(times.LastWriteTime), ticks(times.ChangeTime) };
}
