#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The names a new file in a picture folder may not get, so that no suggestion and no action ever
// names a file that is already there: every name in the folder (folders and hidden files too), in
// any letter case, since a card folder moves between Linux and Windows, whose file systems
// ignore it; and the name each picture is listed under, since a name written as ふ and a mark is
// the same card as one written with ぶ. Names given out since (one suggestion each) count too.
class TakenNames
{
public:
    // except: the file's own name, which is not taken from itself (a rename to its composed
    // form). Throws DataFileError (List) when the folder can't be listed.
    explicit TakenNames(const std::filesystem::path& folder, std::u16string_view except = {});

    // The name of the file (or of the suggestion) that holds the name; nothing when it is free.
    std::optional<std::u16string> holder(std::u16string_view name) const;
    void take(std::u16string_view name);

    // The first of name, then name's word with ".1", ".2" … before its ending ("ねこ.1.jpg"),
    // that is free; nothing when none of the first thousand is.
    std::optional<std::u16string> firstFree(std::u16string_view name) const;

    // The name as a file system that ignores case compares it.
    static std::u16string folded(std::u16string_view name);

private:
    // Folded name → the name as it stands.
    std::map<std::u16string, std::u16string> m_names;
};
