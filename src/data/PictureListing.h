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
//
// Folders copied from macOS carry names in decomposed form (ぶ as ふ and a combining voiced
// mark), which Shift-JIS can't hold. Such a name is listed under its composed form, the word a
// child types and the name the selection file stores, and keeps its real name for loading the
// picture. A name that can be stored as it stands is listed unchanged, so the selection files
// that folders already hold go on matching. Two files whose names compose alike are one card:
// the first in listing order is kept.
class PictureListing
{
public:
    struct Entry
    {
        std::u16string name; // the listed name
        std::u16string fileName; // the name of the file in the folder

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // Throws DataFileError (List) naming the folder when it can't be listed.
    static std::vector<Entry> List(const std::filesystem::path& folder);
    // The same listing before files listed under one name are made one card: such files stand
    // together, the one List keeps first. The folder check uses it to name the others.
    static std::vector<Entry> ListAll(const std::filesystem::path& folder);

    static bool hasPictureEnding(std::u16string_view name);
    static bool isStorableName(std::u16string_view name);
};
