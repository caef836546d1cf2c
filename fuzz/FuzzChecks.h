#pragma once

// What both data-file fuzz targets hold true of every input: a broken invariant aborts, which
// libFuzzer reports as a finding. DataFileError is an expected outcome and never one.

#include "common/PraisePhraseList.h"
#include "common/ProgramState.h"
#include "data/DataFileError.h"
#include "data/DataItemReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzchecks {

[[noreturn]] inline void finding(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what)
{
    if (!holds)
        finding(what);
}

inline bool isTruth(TruthValue value)
{
    return value == kTrue || value == kFalse;
}

// Reads items until the end, the first byte picking their types two bits per read; every read
// must consume something, and a failure must be a read failure.
inline void readItems(std::string_view bytes, DataItemReader::Source source)
{
    const std::uint8_t pattern = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes.front());
    DataItemReader reader(std::string(bytes), "fuzz.txt", source);
    std::size_t reads = 0;
    try {
        while (!reader.AtEnd()) {
            check(reads <= bytes.size(), "a read consumed nothing");
            std::u16string text;
            std::int16_t number = 7;
            switch ((pattern >> ((reads % 4) * 2)) & 3) {
            case 0:
                reader.read(DataTarget::text(text));
                break;
            case 1:
                reader.read(DataTarget::truth(number));
                check(isTruth(number), "truth value neither true nor false");
                break;
            case 2:
                reader.read(DataTarget::integer(number));
                break;
            case 3:
                reader.skipBlankLines();
                if (!reader.AtEnd())
                    reader.read(DataTarget::text(text));
                break;
            }
            ++reads;
        }
    } catch (const DataFileError& error) {
        check(error.kind() == DataFileError::Kind::Read, "reader failed with a non-read error");
    }
}

inline void checkSettings(const Settings& s)
{
    for (TruthValue value :
        { s.PromptWithName, s.ShowModelWord, s.TalkingAidKeyboard, s.ShowSetupPicture })
        check(isTruth(value), "setting neither true nor false");
}

inline void checkPraise(const PraisePhraseList& praise)
{
    check(praise.PraiseCount >= 0 && praise.PraiseCount <= PraisePhraseList::kCapacity,
        "praise count out of range");
    for (int i = 0; i < praise.PraiseCount; ++i)
        check(!praise.PraisePhrases[static_cast<std::size_t>(i)].empty(), "empty phrase counted");
}

// The deck holds listed pictures only, each once, in listing order.
inline void checkDeck(const ProgramState& program)
{
    check(program.DeckCount >= 0 && program.DeckCount <= program.AllPictureCount,
        "deck count out of range");
    const auto pictures = program.AllPictures.begin();
    const auto picturesEnd = pictures + program.AllPictureCount;
    auto from = pictures;
    for (int i = 0; i < program.DeckCount; ++i) {
        const auto found = std::find(from, picturesEnd, program.Deck[static_cast<std::size_t>(i)]);
        check(found != picturesEnd,
            "deck holds a name that is not a listed picture, or is out of order");
        from = found + 1;
    }
}

} // namespace fuzzchecks
