#pragma once

#include "app/PraisePhraseList.h"

#include <filesystem>

// The praise file "O.txt" of the working directory, shared by every picture folder: one phrase
// per item, blank items skipped. A missing file is created holding "よくできました"; the program
// never writes it otherwise, so a teacher's own phrases are left as they are.
class PraiseFile
{
public:
    explicit PraiseFile(std::filesystem::path path);

    // Throws DataFileError for any failure other than a missing file.
    void Load(PraisePhraseList& list) const;

private:
    bool read(PraisePhraseList& list) const;

    std::filesystem::path m_path;
};
