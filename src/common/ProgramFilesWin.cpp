#include "common/ProgramFiles.h"

#include <string>
#include <windows.h>

std::filesystem::path ProgramFiles::executable()
{
    // The name may be longer than MAX_PATH; a buffer found too small is doubled and asked again.
    std::wstring name(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length
            = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name);
        }
        name.resize(name.size() * 2);
    }
    return {};
}
