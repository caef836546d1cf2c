#pragma once

#include <filesystem>
#include <string>

// One thing in a picture folder that keeps a picture from being a card a child can answer, with
// what the teacher can do about it. The texts are for the teacher, in plain Japanese.
struct FolderFinding
{
    enum class Kind
    {
        NoPictures, // nothing in the folder becomes a card
        OtherPictureType, // a picture the drill does not read (.png, .jpeg, .webp …)
        NameNotStorable, // a name Shift-JIS can't hold, or that is not text at all
        QuoteInName, // a name with a double quote
        CannotBeTyped, // a card whose word no key sequence gives
        TooLong, // a word longer than the drill asks
        SameCard, // a name that becomes the same card as another one's
        TooMany, // a picture past the 101 the drill takes
        PraiseLineLeftOut, // a line of O.txt that is neither Shift-JIS nor UTF-8
        PraiseFileUnreadable, // O.txt can't be read at all
    };

    // What the teacher's window offers to do about it.
    enum class Fix
    {
        None,
        MakeJpegCopy, // write suggestedName, a .jpg copy of the picture, beside it, and keep the
                      // picture in FolderActions::kKeptFolder
        Rename, // rename to suggestedName, or to a name the teacher types
    };

    // The file as it is named in the folder (O.txt for the praise file).
    std::filesystem::path file;
    // The file's name as the teacher sees it.
    std::u16string fileName;
    Kind kind = Kind::NoPictures;
    std::u16string reason;
    std::u16string advice;
    Fix fix = Fix::None;
    // The new name offered (with its ending), which no file in the folder has in any letter case
    // and no other finding offers; empty when the teacher has to choose one.
    std::u16string suggestedName;
};
