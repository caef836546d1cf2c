#include "cards/FolderReadiness.h"

#include <string>
#include <windows.h>

bool FolderReadiness::MayWriteIn(const std::filesystem::path& folder)
{
    // The access lists decide, and no call answers for them short of trying: a file is made
    // and goes again when it is closed. Its name starts with a dot, so the picture listing
    // never takes it for a card while it is there.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path probe = folder
            / (L".tapomi-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-"
                + std::to_wstring(attempt));
        const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}
