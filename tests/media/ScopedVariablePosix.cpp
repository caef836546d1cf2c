#include "ScopedVariable.h"

#include <cstdlib>

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
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void ScopedVariable::set(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}
