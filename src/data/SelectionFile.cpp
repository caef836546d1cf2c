#include "data/SelectionFile.h"

#include "data/DataFileError.h"
#include "data/DataTextFile.h"

#include <algorithm>

SelectionFile::SelectionFile(std::filesystem::path path)
    : m_path(std::move(path))
{ }

void SelectionFile::Load(ProgramState& program) const
{
    // Missing or stale both end in a rebuilt file, which the next reading must match. Should a
    // rebuilt file still not match (something else writing into the folder), the teacher is
    // told rather than the program going round for ever. A stale file is replaced in one step
    // rather than deleted first: a read-only file is then refused like any other save, and no
    // moment passes without a selection file.
    bool rebuilt = false;
    for (;;) {
        if (read(program) == Outcome::Loaded)
            return;
        if (rebuilt)
            throw DataFileError(DataFileError::Kind::Read, m_path,
                "作り直したファイルが画像フォルダーと合いません");
        rebuilt = true;
        const int count = program.pictureCount();
        std::copy_n(program.AllPictures.begin(), count, program.Deck.begin());
        program.DeckCount = static_cast<std::int16_t>(count);
        Save(program);
    }
}

void SelectionFile::Save(const ProgramState& program) const
{
    const auto deckBegin = program.Deck.begin();
    const auto deckEnd = deckBegin + program.deckCount();
    DataTextFile file;
    file.openForWriting(m_path);
    for (int p = 0; p < program.pictureCount(); ++p) {
        const std::u16string& name = program.AllPictures[static_cast<std::size_t>(p)];
        const bool selected = std::find(deckBegin, deckEnd, name) != deckEnd;
        file.WriteItems({ DataItem::text(name), DataItem::truth(selected ? kTrue : kFalse) });
    }
    file.close();
}

SelectionFile::Outcome SelectionFile::Parse(DataTextFile& file, ProgramState& program)
{
    const int pictureCount = program.pictureCount();
    int line = 0;
    int selected = 0;
    for (;;) {
        file.SkipBlankLines();
        if (file.AtEnd())
            break;
        std::u16string name;
        TruthValue flag = kFalse;
        file.ReadItems({ DataTarget::text(name), DataTarget::truth(flag) });
        // A line past the last picture is a mismatch too (a picture was removed, or the file
        // holds more lines than there can be pictures); it is never matched against the empty
        // entries beyond the count, which would let an empty name into the deck.
        if (line >= pictureCount || name != program.AllPictures[static_cast<std::size_t>(line)])
            return Outcome::Stale;
        if (flag != kFalse)
            program.Deck[static_cast<std::size_t>(selected++)] = name;
        ++line;
    }
    // Fewer lines than pictures is no mismatch: pictures added after the last stored name stay
    // out of the deck until the teacher picks them.
    program.DeckCount = static_cast<std::int16_t>(selected);
    return Outcome::Loaded;
}

SelectionFile::Outcome SelectionFile::read(ProgramState& program) const
{
    DataTextFile file;
    if (file.openForReading(m_path, DataItemReader::Source::Program)
        == DataTextFile::OpenResult::Missing)
        return Outcome::Missing;
    const Outcome outcome = Parse(file, program);
    file.close();
    return outcome;
}
