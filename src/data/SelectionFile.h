#pragma once

#include "common/ProgramState.h"

#include <filesystem>

class DataTextFile;

// The selection file "Fname.txt" of a data folder: one line per listed picture, in listing
// order, holding the picture's name and whether it is in the deck. A file that no longer
// matches the listing line for line is rebuilt with every picture selected; blank lines an
// editor left behind are no mismatch.
class SelectionFile
{
public:
    enum class Outcome
    {
        Loaded,
        Missing,
        Stale
    };

    explicit SelectionFile(std::filesystem::path path);

    // Fills Deck and DeckCount from the file; throws DataFileError for any failure other than
    // a missing or stale file, and when a stale file can't be replaced (it may be read-only).
    void Load(ProgramState& program) const;
    void Save(const ProgramState& program) const;

    // Matches a file open for reading against AllPictures. Loaded: Deck and DeckCount hold the
    // stored selection. Stale: the file does not match, and Deck holds nothing to rely on.
    // Throws DataFileError (Read) when a line can't be read as a name and a flag.
    static Outcome Parse(DataTextFile& file, ProgramState& program);

private:
    Outcome read(ProgramState& program) const;

    std::filesystem::path m_path;
};
