// Feeds arbitrary bytes to the item reader, and as each of the three data files to its loader,
// in a scratch folder holding a few pictures. Any crash, hang, sanitizer report or broken
// invariant (a count out of range, a deck name that is not a listed picture, a read that makes
// no progress) is a finding; DataFileError is an expected outcome and is swallowed.

#include "app/PraisePhraseList.h"
#include "app/ProgramState.h"
#include "app/WarningBox.h"
#include "data/DataFileError.h"
#include "data/DataFolder.h"
#include "data/DataItemReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

class NoWarnings final : public WarningBox
{
public:
    void ShowWarning(std::u16string_view, std::u16string_view) override { ++shown; }
    int shown = 0;
};

[[noreturn]] void finding(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void check(bool holds, const char* what)
{
    if (!holds)
        finding(what);
}

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

    std::filesystem::path folder;
};

void fuzzReader(std::string_view bytes)
{
    // The first byte picks the types of the reads, two bits per read, repeating.
    const std::uint8_t pattern = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes.front());
    DataItemReader reader(std::string(bytes), "fuzz.txt");
    std::size_t reads = 0;
    try {
        while (!reader.AtEnd()) {
            check(reads <= bytes.size(), "a read consumed nothing");
            std::u16string text;
            std::int16_t number = 7;
            switch ((pattern >> ((reads % 4) * 2)) & 3) {
            case 0:
            case 3:
                reader.read(DataTarget::text(text));
                break;
            case 1:
                reader.read(DataTarget::truth(number));
                check(number == kTrue || number == kFalse, "truth value neither true nor false");
                break;
            case 2:
                reader.read(DataTarget::integer(number));
                break;
            }
            ++reads;
        }
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "reader failed with a non-read error");
    }
}

void fuzzLoaders(const Scratch& scratch, std::string_view bytes)
{
    scratch.put("tapomi.txt", bytes);
    scratch.put("Fname.txt", bytes);
    scratch.put("O.txt", bytes);

    ProgramState program;
    NoWarnings warnings;
    DataFolder data(program, warnings, scratch.folder);

    try {
        data.LoadSettings();
        const Settings& s = program.settings;
        for (TruthValue value :
            { s.PromptWithName, s.ShowModelWord, s.TalkingAidKeyboard, s.ShowSetupPicture })
            check(value == kTrue || value == kFalse, "setting neither true nor false");
    } catch (const DataFileError&) { }

    PraisePhraseList praise;
    try {
        data.LoadPraisePhrases(praise);
        check(praise.PraiseCount >= 0 && praise.PraiseCount <= PraisePhraseList::kCapacity,
            "praise count out of range");
        for (int i = 0; i < praise.PraiseCount; ++i)
            check(
                !praise.PraisePhrases[static_cast<std::size_t>(i)].empty(), "empty phrase counted");
    } catch (const DataFileError&) { }

    check(data.ListPictures(), "pictures not listed");
    check(program.AllPictureCount == 3, "wrong picture count");
    try {
        data.LoadSelection();
        check(program.DeckCount >= 0 && program.DeckCount <= program.AllPictureCount,
            "deck count out of range");
        const auto pictures = program.AllPictures.begin();
        for (int i = 0; i < program.DeckCount; ++i) {
            const std::u16string& card = program.Deck[static_cast<std::size_t>(i)];
            check(std::find(pictures, pictures + program.AllPictureCount, card)
                    != pictures + program.AllPictureCount,
                "deck holds a name that is not a listed picture");
        }
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "selection failed other than in reading");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Scratch scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzzReader(bytes);
    fuzzLoaders(scratch, bytes);
    return 0;
}
