#include "teacher/UserDataFolder.h"

#include <cstdlib>
#include <shlobj.h>
#include <windows.h>

namespace {

std::filesystem::path localAppData()
{
    wchar_t* folder = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK) {
        std::filesystem::path path(folder);
        CoTaskMemFree(folder);
        return path;
    }
    CoTaskMemFree(folder);
    // The shell may be missing in a stripped-down system; the variable names the same folder.
    if (const wchar_t* variable = _wgetenv(L"LOCALAPPDATA"); variable && *variable)
        return variable;
    return {};
}

} // namespace

std::filesystem::path UserDataFolder::workingDirectory()
{
    const std::filesystem::path base = localAppData();
    return base.empty() ? base : base / "tapomi";
}
