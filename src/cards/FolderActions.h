#pragma once

#include "cards/KanaKeyboard.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ImageConverter;

// What the teacher's window does about a folder check's findings, and where the card maker puts
// a new card. No file is ever overwritten: a new name that is taken is reported so that another
// can be asked for, and a folder that can't be written is reported before anything is changed.
// The selection file is left alone; the drill rebuilds it when the pictures have changed.
class FolderActions
{
public:
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
        // For the teacher, in Japanese; empty when done.
        std::u16string message;
        // The file made or renamed to.
        std::filesystem::path file;
    };

    FolderActions(std::filesystem::path folder, std::vector<KanaKeyboard> keyboards);

    // Writes WORD.jpg (or newName's word with ".jpg"), a JPEG copy of the picture, beside it;
    // the picture itself is left as it is.
    Result MakeJpegCopy(const std::filesystem::path& picture, std::u16string_view newWord,
        ImageConverter& converter) const;
    // Gives the picture the new word, keeping the rest of its name (".jpg", ".1.jpg").
    Result Rename(const std::filesystem::path& picture, std::u16string_view newWord) const;
    // Saves a new card WORD.jpg; an existing card of that name is replaced only when asked.
    Result SaveCard(std::u16string_view word, std::string_view jpegBytes, bool replace) const;

    const std::filesystem::path& folder() const { return m_folder; }
    const std::vector<KanaKeyboard>& keyboards() const { return m_keyboards; }

private:
    // Nothing when the word may be given and the folder can be written.
    std::optional<Result> refuse(std::u16string_view word) const;
    std::filesystem::path pathOf(std::u16string_view name) const;
    // Writes the bytes to a hidden file in the folder and moves it to the target only if no
    // file of that name exists (or, with replace, over it).
    Result place(const std::filesystem::path& target, std::string_view bytes, bool replace) const;

    std::filesystem::path m_folder;
    std::vector<KanaKeyboard> m_keyboards;
};
