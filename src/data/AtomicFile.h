#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
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
    // The file replaced, as found before the save: whether it is there, whether the teacher
    // locked it, and what the new file keeps of it (permissions and owner, or attributes).
    struct Existing
    {
        bool exists = false;
        bool readOnly = false;
        std::uint32_t kept = 0;
        std::uint32_t user = 0;
        std::uint32_t group = 0;
    };
    // An open temporary file: a descriptor or a Windows handle.
    using Handle = std::intptr_t;
    // Why a step failed, in words for the teacher; nothing when it worked.
    using Failure = std::optional<std::string>;

    // The file whose content is replaced: a teacher's symbolic link stays a link, and the file
    // it points to gets the new content.
    static std::filesystem::path linkTarget(const std::filesystem::path& path);
    // Removes what earlier saves of the file left behind when they were killed.
    static void removeAbandoned(
        const std::filesystem::path& folder, const std::filesystem::path& targetName);

    // What each system does (AtomicFilePosix.cpp, AtomicFileWin.cpp).
    static Existing examine(const std::filesystem::path& target);
    static unsigned long processId();
    // True only when no process has that number any more.
    static bool processGone(unsigned long processId);
    struct Created
    {
        std::optional<Handle> file;
        // The name is taken; failure then says so, should every name tried be taken.
        bool nameTaken = false;
        Failure failure;
    };
    // Creates the file only where no file has its name.
    static Created createNew(const std::filesystem::path& temp, const Existing& old);
    static Failure writeAndSync(Handle file, std::string_view bytes);
    static void keepFrom(Handle file, const Existing& old);
    static Failure close(Handle file);
    // Renames over the old name; the new name is on the disk when it returns.
    static Failure rename(const std::filesystem::path& from, const std::filesystem::path& to);
};
