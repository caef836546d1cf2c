#pragma once

#include <filesystem>
#include <string>

// Whether the drill can run on a picture folder at all: it is there, it can be listed, it holds a
// picture the drill reads, and the drill may keep its settings and card selection beside the
// pictures. Every place that lets a teacher pick a folder (the launcher's dialog, the teacher's
// window, its command line) asks here; FolderCheck then looks at each picture.
class FolderReadiness
{
public:
    enum class Problem
    {
        None,
        Missing,
        Unreadable,
        NotWritable,
        NoPictures,
    };

    static Problem Of(const std::filesystem::path& folder);
    // In words for the teacher, naming the folder on a line of its own; empty for None.
    static std::u16string Text(Problem problem, const std::filesystem::path& folder);

private:
    // Whether this user may make files in the folder; one file per platform.
    static bool MayWriteIn(const std::filesystem::path& folder);
};
