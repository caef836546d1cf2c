#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The picture files of a folder, as the drill can use them, in the collation of
// PictureCollator. Listed are plain files (or links to them) whose names end in ".jpg", ".gif" or
// ".bmp" in any letter case; left out are folders, hidden files (names starting with ".") and
// names that could not be stored in the selection file and read back unchanged: names that are
// not UTF-8, that Shift-JIS can't represent exactly, or that hold a double quote or a control
// character. Leaving such a name out keeps the selection file matching the folder; storing it
// mangled would make every start see a stale file and throw the teacher's selection away.
class PictureListing
{
public:
    // Throws DataFileError (List) naming the folder when it can't be listed.
    static std::vector<std::u16string> List(const std::filesystem::path& folder);

    static bool hasPictureEnding(std::u16string_view name);
    static bool isStorableName(std::u16string_view name);
};
