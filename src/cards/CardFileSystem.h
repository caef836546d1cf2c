#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The file system calls the card tools make, one file per platform, so that FolderActions'
// rules (never overwrite, report a folder that can't be written before changing anything) read
// the same on both. Failures come back sorted the way the teacher is told of them.
class CardFileSystem
{
public:
    enum class Failure
    {
        None,
        Exists, // the new name is another file's
        NotPermitted, // the folder or file may not be written
        Other,
    };
    struct Status
    {
        Failure failure = Failure::None;
        // The system's own words, for Other.
        std::u16string reason;

        bool ok() const { return failure == Failure::None; }
    };

    // Whether this user may make files in the folder.
    static Status CheckWritable(const std::filesystem::path& folder);
    // Moves from to to unless another file has that name. A name that differs only in case on
    // a file system that ignores case is the same file, and gets its new spelling.
    static Status RenameNoReplace(
        const std::filesystem::path& from, const std::filesystem::path& to);
    // Moves from to to, over a file of that name.
    static Status RenameReplacing(
        const std::filesystem::path& from, const std::filesystem::path& to);
    // Writes the bytes to a new file of a hidden name in the folder, made readable like any file
    // the teacher saves, and waits until they are on the disk; made names it. Nothing is left
    // behind on failure.
    static Status WriteHidden(
        const std::filesystem::path& folder, std::string_view bytes, std::filesystem::path& made);
    static void Remove(const std::filesystem::path& file) noexcept;
};
