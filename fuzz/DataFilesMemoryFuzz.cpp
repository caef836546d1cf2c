// Feeds arbitrary bytes to the item reader and, as each of the three data files, to the part of
// its loader that reads the content, all in memory: thousands of runs a second, where the
// file-level target (DataFilesFuzz.cpp) writes, syncs and renames real files on every run. The
// recovery of the loaders (defaults written, a stale selection rebuilt) is that target's part.

#include "FuzzChecks.h"

#include "data/DataTextFile.h"
#include "data/PraiseFile.h"
#include "data/SelectionFile.h"
#include "data/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace fuzzchecks;

namespace {

// Three pictures as a folder would list them; the selection is matched against these.
ProgramState listedProgram()
{
    ProgramState program;
    program.AllPictures[0] = u"B.BMP";
    program.AllPictures[1] = u"あひる.jpg";
    program.AllPictures[2] = u"いぬ.gif";
    program.AllPictureCount = 3;
    return program;
}

void parseSettings(std::string_view bytes)
{
    DataTextFile file;
    file.openContent(std::string(bytes), "tapomi.txt", DataItemReader::Source::Program);
    try {
        checkSettings(SettingsFile::Parse(file));
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "settings failed other than in reading");
    }
}

void parseSelection(std::string_view bytes)
{
    static const ProgramState listed = listedProgram();
    ProgramState program = listed;
    DataTextFile file;
    file.openContent(std::string(bytes), "Fname.txt", DataItemReader::Source::Program);
    try {
        const SelectionFile::Outcome outcome = SelectionFile::Parse(file, program);
        check(outcome != SelectionFile::Outcome::Missing, "content read as a missing file");
        if (outcome == SelectionFile::Outcome::Loaded) {
            check(file.AtEnd(), "selection loaded without reading to the end");
            checkDeck(program);
        }
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "selection failed other than in reading");
    }
}

void parsePraise(std::string_view bytes)
{
    DataTextFile file;
    file.openContent(std::string(bytes), "O.txt", DataItemReader::Source::HandEdited);
    PraisePhraseList praise;
    try {
        PraiseFile::Parse(file, praise);
        checkPraise(praise);
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "praise failed other than in reading");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readItems(bytes, DataItemReader::Source::Program);
    readItems(bytes, DataItemReader::Source::HandEdited);
    parseSettings(bytes);
    parseSelection(bytes);
    parsePraise(bytes);
    return 0;
}
