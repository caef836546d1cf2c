#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// Reads a small file whole, through the system's own calls so that a name that is no plain file
// (a pipe, a device, a folder) is refused at once instead of stalling or failing half-way.
class WholeFileReader
{
public:
    // The file's bytes, or nothing when no file has that name. Throws DataFileError naming the
    // path: Open when it can't be opened or is no plain file, Io when reading fails, Read when
    // it holds more than limit bytes.
    static std::optional<std::string> read(const std::filesystem::path& path, std::size_t limit);
};
