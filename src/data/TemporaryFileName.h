#pragma once

#include <filesystem>
#include <optional>

// The hidden temporary file that replacing a data file writes first: ".NAME.PID.COUNT.tmp" beside
// it. The leading dot and the ending keep it out of the picture listing; the process number
// tells a later save whether the process that made it still runs. Names are the platform's own
// strings (bytes on Linux, UTF-16 on Windows), so no name is converted on the way.
class TemporaryFileName
{
public:
    using Text = std::filesystem::path::string_type;

    static Text make(const Text& target, unsigned long process, unsigned count);
    // When name is one of target's temporary files, the number of the process that made it;
    // 0 when that number is out of range.
    static std::optional<unsigned long> owner(const Text& name, const Text& target);
};
