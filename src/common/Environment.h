#pragma once

#include <optional>
#include <string>

// The process's environment variables as UTF-8. On Windows the narrow getenv answers in the ANSI
// code page, which cannot hold every folder name (the record lives under the user's own folder),
// so the wide variables are used there.
class Environment
{
public:
    // Nothing when the variable is not set.
    static std::optional<std::string> get(const char* name);
    // Set for this process and every program it starts; false when the system refused.
    static bool set(const char* name, const std::string& value);
    static bool unset(const char* name);
    // Whether a window could be shown: an X or Wayland display on Linux (not over ssh or in a
    // script's plain terminal), always on Windows.
    static bool hasDisplay();
};
