#pragma once

#include "app/ProgramState.h"

#include <filesystem>

// The selection file "Fname.txt" of a data folder: one line per listed picture, in listing
// order, holding the picture's name and whether it is in the deck. A file that no longer
// matches the listing line for line is deleted and rebuilt with every picture selected.
class SelectionFile
{
public:
    explicit SelectionFile(std::filesystem::path path);

    // Fills Deck and DeckCount from the file; throws DataFileError for any failure other than
    // a missing or stale file.
    void Load(ProgramState& program) const;
    void Save(const ProgramState& program) const;

private:
    enum class Outcome
    {
        Loaded,
        Missing,
        Stale
    };

    Outcome read(ProgramState& program) const;
    void remove() const;

    std::filesystem::path m_path;
};
