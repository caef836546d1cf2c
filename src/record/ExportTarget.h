#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The file a teacher saves an export of the record into (the CSV, the PDF). The record's own
// files are refused, whatever name leads to them. The bytes go to a hidden temporary file in
// the target's folder, reach the disk, and are then renamed over the target's name: a crash
// leaves the old file or the new one, and a symbolic link at that name is replaced, never
// followed. A failure says which it was: a refused target, a missing folder, no permission, a
// full disk, or a file another program holds.
class ExportTarget
{
public:
    enum class Failure
    {
        RecordFile,
        MissingFolder,
        NoPermission,
        DiskFull,
        InUse,
        Other,
    };

    // Throws RecordError, whose teacher text names the failure.
    static void Save(const std::filesystem::path& target, const std::filesystem::path& databaseFile,
        std::string_view bytes);

private:
    struct Problem
    {
        Failure failure;
        std::string reason; // the system's words, in UTF-8
    };
    // Writes and renames, one file per platform; the temporary file is gone on a failure.
    static std::optional<Problem> replace(
        const std::filesystem::path& target, std::string_view bytes);
};
