#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Between paths and the program's text. A path is bytes on Linux (taken as UTF-8) and UTF-16 on
// Windows; going through UTF-8 explicitly, never through the narrow "native" string (which on
// Windows is the ANSI code page), keeps every name intact on both.
class PathText
{
public:
    // The path of a name the program holds as text.
    static std::filesystem::path fromText(std::u16string_view text);
    // The path of a name passed on as UTF-8 (an argument, a variable); on Linux its bytes as they
    // are, so a name that is no valid UTF-8 still reaches its file.
    static std::filesystem::path fromUtf8(std::string_view bytes);
    // A file's own name as text; nothing when it is not valid text (bytes that are not UTF-8 on
    // Linux, an unpaired surrogate on Windows).
    static std::optional<std::u16string> fileName(const std::filesystem::path& path);
    // The whole path in UTF-8, for messages.
    static std::string utf8(const std::filesystem::path& path);
};
