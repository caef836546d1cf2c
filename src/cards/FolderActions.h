#pragma once

#include "cards/KanaKeyboard.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ImageConverter;

// What the teacher's window does about a folder check's findings, and where the card maker puts
// a new card. No file is ever overwritten: a new name that is taken (in any letter case) is
// reported so that another can be asked for, and a folder that can't be written is reported
// before anything is changed. Each action that is done says in its message what it did. The
// selection file is left alone; the drill rebuilds it when the pictures have changed.
class FolderActions
{
public:
    // The folder inside a picture folder where a picture goes once its .jpg copy is made: kept
    // for the teacher, and not listed by the drill, which reads no folder inside its own.
    static constexpr std::u16string_view kKeptFolder = u"もとの絵";

    enum class Outcome
    {
        Done,
        NameTaken, // a file of the new name is there; ask for another name
        NameRefused, // the child could not type the new name
        FolderReadOnly, // nothing was changed
        Failed, // the picture could not be read or written; nothing was changed
    };

    struct Result
    {
        Outcome outcome = Outcome::Failed;
        // For the teacher, in Japanese: what was done, or why nothing was.
        std::u16string message;
        // The file made or renamed to.
        std::filesystem::path file;
        // Where the picture a copy was made of has gone; empty when it stayed where it was.
        std::filesystem::path kept;
    };

    FolderActions(std::filesystem::path folder, std::vector<KanaKeyboard> keyboards);

    // The part of a new name after its word that the picture's own name gives: the rest of its
    // name from its first "." (".jpg", ".1.jpg"), for a .jpg copy with ".jpg" for its ending.
    static std::u16string OwnRest(const std::filesystem::path& picture, bool copy);

    // Writes newWord + rest, a JPEG copy of the picture, beside it, and then moves the picture
    // into kKeptFolder (under a name of its own there when its name is taken). rest must end in
    // ".jpg"; left empty, it is OwnRest's.
    Result MakeJpegCopy(const std::filesystem::path& picture, std::u16string_view newWord,
        ImageConverter& converter, std::u16string_view rest = {}) const;
    // Gives the picture the name newWord + rest; rest must keep the picture's ending. Left
    // empty, it is OwnRest's (".jpg", ".1.jpg").
    Result Rename(const std::filesystem::path& picture, std::u16string_view newWord,
        std::u16string_view rest = {}) const;
    // Saves a new card WORD.jpg; an existing card of that name is replaced only when asked.
    Result SaveCard(std::u16string_view word, std::string_view jpegBytes, bool replace) const;

    const std::filesystem::path& folder() const { return m_folder; }
    const std::vector<KanaKeyboard>& keyboards() const { return m_keyboards; }

private:
    // Nothing when the word may be given and the folder can be written.
    std::optional<Result> refuse(std::u16string_view word) const;
    // Nothing when the new name is free and the rest may be given to it.
    std::optional<Result> refuseName(const std::filesystem::path& picture, std::u16string_view name,
        std::u16string_view rest, std::u16string_view ending) const;
    std::filesystem::path pathOf(std::u16string_view name) const;
    // Writes the bytes to a hidden file in the folder and moves it to the target only if no
    // file of that name exists (or, with replace, over it).
    Result place(const std::filesystem::path& target, std::string_view bytes, bool replace) const;
    // Moves the picture a copy was made of into kKeptFolder, and says so after made.
    void keep(const std::filesystem::path& picture, Result& made) const;

    std::filesystem::path m_folder;
    std::vector<KanaKeyboard> m_keyboards;
};
