#include "common/Environment.h"

#include <cstdlib>

std::optional<std::string> Environment::get(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

bool Environment::set(const char* name, const std::string& value)
{
    return ::setenv(name, value.c_str(), 1) == 0;
}

bool Environment::unset(const char* name)
{
    return ::unsetenv(name) == 0;
}

bool Environment::hasDisplay()
{
    return get("DISPLAY") || get("WAYLAND_DISPLAY");
}
