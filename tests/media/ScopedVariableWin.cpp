#include "ScopedVariable.h"

#include <cstdlib>
#include <windows.h>

namespace {

std::wstring wide(const std::string& text)
{
    const int size
        = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace

ScopedVariable::ScopedVariable(std::string name, const std::string& value)
    : m_name(std::move(name))
    , m_previous(get(m_name))
{
    set(m_name, value);
}

ScopedVariable::~ScopedVariable()
{
    set(m_name, m_previous);
}

std::optional<std::string> ScopedVariable::get(const std::string& name)
{
    const wchar_t* value = _wgetenv(wide(name).c_str());
    return value ? std::optional<std::string>(utf8(value)) : std::nullopt;
}

void ScopedVariable::set(const std::string& name, const std::optional<std::string>& value)
{
    // The C runtime keeps a copy of its own, which SDL reads through getenv; the process's block
    // is what GetEnvironmentVariableW and child processes see. Both are set. An empty value
    // removes the variable from the runtime's copy.
    const std::wstring key = wide(name);
    const std::wstring text = value ? wide(*value) : std::wstring();
    _wputenv_s(key.c_str(), text.c_str());
    SetEnvironmentVariableW(key.c_str(), value ? text.c_str() : nullptr);
}
