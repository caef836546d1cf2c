#pragma once

#include "cards/FolderFinding.h"
#include "cards/KanaKeyboard.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Looks at a picture folder as the drill will and lists every picture that will not be a card a
// child can answer, with the reason and what to do: pictures the drill does not read, names it
// can't keep, words no key types, words longer than it asks, names that become one card, and
// pictures past the 101 it takes; and the lines of the praise file it has to leave out. It lists
// the folder with the drill's own listing code, so the two can never disagree, and changes
// nothing. A picture of another type is not listed when a card of its name is there already
// (its .jpg twin, made by FolderActions or by another program), and no new name it suggests is a
// name in the folder already, in any letter case, or another finding's suggestion.
class FolderCheck
{
public:
    // praiseFile: the O.txt the drill reads; an empty path leaves it unchecked.
    explicit FolderCheck(std::filesystem::path folder, std::filesystem::path praiseFile = {});

    // Throws DataFileError (List) when the folder can't be listed.
    std::vector<FolderFinding> Run() const;

    // The keyboards the words were checked against (see KanaKeyboard::ForFolder).
    const std::vector<KanaKeyboard>& keyboards() const { return m_keyboards; }

    // Picture endings the drill does not read but a .jpg copy can be made from.
    static bool isConvertibleEnding(std::u16string_view name);
    // Other picture endings a camera or the web gives, which need another program.
    static bool isOtherPictureEnding(std::u16string_view name);

private:
    void checkUnlisted(std::vector<FolderFinding>& findings) const;
    void checkCards(std::vector<FolderFinding>& findings) const;
    void checkPraiseFile(std::vector<FolderFinding>& findings) const;
    FolderFinding otherType(const std::filesystem::path& file, const std::u16string& name) const;
    // Gives each suggestion a name that nothing in the folder and no earlier suggestion has.
    void freeSuggestions(std::vector<FolderFinding>& findings) const;

    std::filesystem::path m_folder;
    std::filesystem::path m_praiseFile;
    std::vector<KanaKeyboard> m_keyboards;
};
