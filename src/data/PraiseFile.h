#pragma once

#include "app/PraisePhraseList.h"

#include <filesystem>

class DataTextFile;

// The praise file "O.txt" of the working directory, shared by every picture folder: one phrase
// per item, blank items skipped. A missing file is created holding "よくできました"; the program
// never writes it otherwise, so a teacher's own phrases are left as they are.
class PraiseFile
{
public:
    explicit PraiseFile(std::filesystem::path path);

    // Throws DataFileError for any failure other than a missing file.
    void Load(PraisePhraseList& list) const;

    // The phrases of a file open for reading, at most the list's capacity; throws
    // DataFileError (Read) when an item can't be read.
    static void Parse(DataTextFile& file, PraisePhraseList& list);

private:
    bool read(PraisePhraseList& list) const;

    std::filesystem::path m_path;
};
