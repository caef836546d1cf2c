#pragma once

#include <filesystem>
#include <string_view>

// Replaces a file's whole content so that a crash or power cut at any moment leaves either the
// old file or the new one, never a truncated or empty file: the bytes go to a hidden temporary
// file in the same folder, reach the disk, and only then is it renamed over the old name. A
// temporary file that a killed run left behind is removed by the next save of the same file.
class AtomicFile
{
public:
    // Throws DataFileError (Write) naming the path; the temporary file is removed on failure.
    // A target that exists but is read-only is refused, even where the folder would allow the
    // rename: a teacher who locked a file expects it to stay as it is.
    static void replace(const std::filesystem::path& path, std::string_view bytes);

private:
    // The file whose content is replaced: a teacher's symbolic link stays a link, and the file
    // it points to gets the new content.
    static std::filesystem::path linkTarget(const std::filesystem::path& path);
};
