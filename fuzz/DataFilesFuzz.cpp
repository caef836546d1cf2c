// Feeds arbitrary bytes, as each of the three data files, to its loader in a scratch folder
// holding a few pictures: the whole road from the disk, recovery included. Besides the
// invariants of FuzzChecks.h, a file is only ever replaced when its content is wrong: readable
// settings and a matching selection stay byte for byte, and the praise file is never written.
// Every run writes, syncs and renames real files, so this target is slow; the in-memory one
// (DataFilesMemoryFuzz.cpp) covers the reading itself thousands of times faster.

#include "FuzzChecks.h"

#include "common/WarningBox.h"
#include "data/DataFolder.h"
#include "data/DataTextFile.h"
#include "data/SelectionFile.h"
#include "data/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace fuzzchecks;

namespace {

const std::string kDefaultSettings = "#TRUE#,#FALSE#,#TRUE#,#TRUE#,1\r\n";

class NoWarnings final : public WarningBox
{
public:
    void ShowWarning(std::u16string_view, std::u16string_view) override { ++shown; }
    int shown = 0;
};

// One scratch folder for the whole run, removed at exit.
struct Scratch
{
    Scratch()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "tapomi-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            finding("no scratch folder");
        folder = pattern;
        for (const char* name : { "\xE3\x81\x82\xE3\x81\xB2\xE3\x82\x8B.jpg", // あひる.jpg
                 "\xE3\x81\x84\xE3\x81\xAC.gif", // いぬ.gif
                 "B.BMP" })
            std::ofstream(folder / name) << "x";
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void put(const char* name, std::string_view bytes) const
    {
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string get(const char* name) const
    {
        std::ifstream file(folder / name, std::ios::binary);
        return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    }

    std::filesystem::path folder;
};

bool settingsReadable(std::string_view bytes)
{
    DataTextFile file;
    file.openContent(std::string(bytes), "tapomi.txt", DataItemReader::Source::Program);
    try {
        SettingsFile::Parse(file);
        return true;
    } catch (const DataFileError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Scratch scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    scratch.put("tapomi.txt", bytes);
    scratch.put("Fname.txt", bytes);
    scratch.put("O.txt", bytes);

    ProgramState program;
    NoWarnings warnings;
    DataFolder folder(program, warnings, scratch.folder);

    try {
        folder.LoadSettings();
        checkSettings(program.settings);
    } catch (const DataFileError&) {
        finding("settings not recovered");
    }
    check(scratch.get("tapomi.txt") == (settingsReadable(bytes) ? bytes : kDefaultSettings),
        "settings file replaced though readable, or not by the defaults");

    PraisePhraseList praise;
    try {
        folder.LoadPraisePhrases(praise);
        checkPraise(praise);
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "praise failed other than in reading");
    }
    check(scratch.get("O.txt") == bytes, "praise file written");

    check(folder.ListPictures(), "pictures not listed");
    check(program.AllPictureCount == 3, "wrong picture count");

    ProgramState matched = program;
    DataTextFile content;
    content.openContent(std::string(bytes), "Fname.txt", DataItemReader::Source::Program);
    std::optional<SelectionFile::Outcome> expected; // nothing when the content can't be read
    try {
        expected = SelectionFile::Parse(content, matched);
    } catch (const DataFileError&) { }
    try {
        folder.LoadSelection();
        checkDeck(program);
        check(expected.has_value(), "an unreadable selection loaded");
        if (expected == SelectionFile::Outcome::Loaded)
            check(scratch.get("Fname.txt") == bytes, "a matching selection file was rewritten");
        else
            check(program.DeckCount == 3, "a stale selection not rebuilt with every picture");
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "selection failed other than in reading");
        check(!expected, "a readable selection failed to load");
        check(scratch.get("Fname.txt") == bytes, "an unreadable selection file was changed");
    }
    return 0;
}
