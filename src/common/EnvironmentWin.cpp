#include "common/Environment.h"

#include <cwchar>
#include <windows.h>

namespace {

std::wstring wide(const std::string& text)
{
    const int size
        = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    if (size > 0) {
        MultiByteToWideChar(
            CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    }
    return out;
}

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
            size, nullptr, nullptr);
    }
    return out;
}

} // namespace

std::optional<std::string> Environment::get(const char* name)
{
    // The C runtime keeps its own copy of the environment, which SetEnvironmentVariableW does not
    // update: both ends here go through the system's.
    const std::wstring key = wide(name);
    const DWORD size = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::string>("");
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(key.c_str(), value.data(), size);
    if (length >= size)
        return std::nullopt; // changed in between by another thread
    value.resize(length);
    return utf8(value);
}

bool Environment::set(const char* name, const std::string& value)
{
    return SetEnvironmentVariableW(wide(name).c_str(), wide(value).c_str()) != 0;
}

bool Environment::unset(const char* name)
{
    return SetEnvironmentVariableW(wide(name).c_str(), nullptr) != 0;
}

bool Environment::hasDisplay()
{
    return true;
}
