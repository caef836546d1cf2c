#pragma once

#include "common/PraisePhraseList.h"

#include <filesystem>
#include <optional>
#include <vector>

class DataTextFile;

// The praise file "O.txt" of the working directory, shared by every picture folder: one phrase
// per item, blank items skipped. A missing file is created holding "よくできました"; the program
// never writes it otherwise, so a teacher's own phrases are left as they are. Teachers edit it
// with any editor, so each line is read as Shift-JIS or UTF-8, whichever it is written in, and
// a line that is neither is left out (and its number handed back) so the lesson still starts.
class PraiseFile
{
public:
    explicit PraiseFile(std::filesystem::path path);

    // Returns the numbers (from 1) of the lines left out as unreadable. Throws DataFileError
    // for any failure other than a missing file.
    std::vector<int> Load(PraisePhraseList& list) const;
    // The same line numbers, without creating a missing file (which has none). Throws
    // DataFileError when the file exists but can't be read.
    std::vector<int> UnreadableLines() const;

    // The phrases of a file open for reading, at most the list's capacity; throws
    // DataFileError (Read) when an item can't be read.
    static void Parse(DataTextFile& file, PraisePhraseList& list);

private:
    // Nothing when the file is missing.
    std::optional<std::vector<int>> read(PraisePhraseList& list) const;

    std::filesystem::path m_path;
};
