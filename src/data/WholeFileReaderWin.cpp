#include "data/WholeFileReader.h"

#include "data/DataFileError.h"
#include "data/WindowsError.h"

#include <windows.h>

namespace {

// Closes the handle on every path out of the read.
class Handle
{
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle)
    { }
    ~Handle()
    {
        if (valid())
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

[[noreturn]] void failOpen(const std::filesystem::path& path, std::string_view reason)
{
    throw DataFileError(DataFileError::Kind::Open, path, reason);
}

} // namespace

std::optional<std::string> WholeFileReader::read(
    const std::filesystem::path& path, std::size_t limit)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        failOpen(path, "普通のファイルではありません");
    // Others may go on reading, writing or replacing the file while it is read, as on Linux.
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        failOpen(path, WindowsError::reason(error));
    }
    // A named pipe or a device opens as well; only a file on a disk is read.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        failOpen(path, "普通のファイルではありません");

    std::string bytes;
    char buffer[8192];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            throw DataFileError(
                DataFileError::Kind::Io, path, WindowsError::reason(GetLastError()));
        if (got == 0)
            break;
        bytes.append(buffer, got);
        if (bytes.size() > limit)
            throw DataFileError(DataFileError::Kind::Read, path, "ファイルが大きすぎます");
    }
    return bytes;
}
