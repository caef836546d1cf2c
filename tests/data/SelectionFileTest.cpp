#include "data/SelectionFile.h"

#include "data/DataFileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::u16string>;

const std::string kTwoPictureSelection
    = TempFolder::hex("22 82 A0 82 D0 82 E9 2E 6A 70 67 22 2C 23 54 52 55 45 23 0D 0A"
                      "22 82 A2 82 CA 2E 67 69 66 22 2C 23 46 41 4C 53 45 23 0D 0A");

void setPictures(ProgramState& program, const Names& names)
{
    program.AllPictures = {};
    std::copy(names.begin(), names.end(), program.AllPictures.begin());
    program.AllPictureCount = static_cast<std::int16_t>(names.size());
}

Names deck(const ProgramState& program)
{
    return Names(program.Deck.begin(), program.Deck.begin() + program.deckCount());
}

class SelectionFileTest : public ::testing::Test
{
protected:
    SelectionFileTest() { setPictures(program, { u"あひる.jpg", u"いぬ.gif" }); }

    TempFolder folder;
    ProgramState program;
    SelectionFile file { folder / "Fname.txt" };
};

TEST_F(SelectionFileTest, SavesMembershipWhateverTheDeckOrder)
{
    program.Deck[0] = u"あひる.jpg";
    program.DeckCount = 1;
    file.Save(program);
    EXPECT_EQ(folder.read("Fname.txt").size(), 41u);
    EXPECT_EQ(folder.read("Fname.txt"), kTwoPictureSelection);

    setPictures(program, { u"a.jpg", u"b.jpg", u"c.jpg" });
    program.Deck[0] = u"c.jpg";
    program.Deck[1] = u"a.jpg";
    program.DeckCount = 2;
    file.Save(program);
    const std::string shuffled = folder.read("Fname.txt");
    program.Deck[0] = u"a.jpg";
    program.Deck[1] = u"c.jpg";
    file.Save(program);
    EXPECT_EQ(folder.read("Fname.txt"), shuffled);
    EXPECT_EQ(shuffled, "\"a.jpg\",#TRUE#\r\n\"b.jpg\",#FALSE#\r\n\"c.jpg\",#TRUE#\r\n");
}

TEST_F(SelectionFileTest, AMatchingFileIsRestoredAndLeftAlone)
{
    const std::vector<std::pair<const char*, std::string>> cases {
        { "one of two selected", kTwoPictureSelection },
        { "a 0-byte file", "" },
        { "every flag false", "\"あひる.jpg\",#FALSE#\n\"いぬ.gif\",#FALSE#\n" },
        { "fewer lines than pictures", "\"あひる.jpg\",#TRUE#\r\n" },
        { "a blank line after the last record", kTwoPictureSelection + "\r\n" },
        { "blank lines and blanks between and after the records",
            "\r\n\"あひる.jpg\",#TRUE#\r\n \r\n\n\"いぬ.gif\",#TRUE#\r\n\t\r\n\r\n  " },
    };
    const std::vector<Names> expected { { u"あひる.jpg" }, {}, {}, { u"あひる.jpg" },
        { u"あひる.jpg" }, { u"あひる.jpg", u"いぬ.gif" } };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].first);
        folder.write("Fname.txt", cases[i].second);
        program.DeckCount = 99;
        file.Load(program);
        EXPECT_EQ(deck(program), expected[i]);
        EXPECT_EQ(folder.read("Fname.txt"), cases[i].second);
    }
}

TEST_F(SelectionFileTest, AMissingOrStaleFileIsRebuiltWithEveryPictureSelected)
{
    const std::string rebuilt = "\"あひる.jpg\",#TRUE#\r\n\"いぬ.gif\",#TRUE#\r\n";
    const std::vector<std::pair<const char*, std::string>> cases {
        { "another name first", "\"ねこ.jpg\",#TRUE#\r\n\"いぬ.gif\",#FALSE#\r\n" },
        { "case differs", "\"あひる.JPG\",#TRUE#\r\n" },
        { "a line past the last picture",
            "\"あひる.jpg\",#FALSE#\r\n\"いぬ.gif\",#FALSE#\r\n\"うし.bmp\",#FALSE#\r\n" },
        { "an empty name past the last picture",
            "\"あひる.jpg\",#FALSE#\r\n\"いぬ.gif\",#FALSE#\r\n\"\",#TRUE#\r\n" },
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        folder.write("Fname.txt", bytes);
        file.Load(program);
        EXPECT_EQ(deck(program), (Names { u"あひる.jpg", u"いぬ.gif" }));
        EXPECT_EQ(folder.read("Fname.txt"),
            TempFolder::hex("22 82 A0 82 D0 82 E9 2E 6A 70 67 22 2C"
                            "23 54 52 55 45 23 0D 0A 22 82 A2 82 CA"
                            "2E 67 69 66 22 2C 23 54 52 55 45 23 0D 0A"));
    }
    std::filesystem::remove(folder / "Fname.txt");
    file.Load(program);
    EXPECT_EQ(program.DeckCount, 2);
    EXPECT_TRUE(folder.exists("Fname.txt"));

    // A teacher who made the file read-only is told, and keeps it, even when it is stale.
    const std::string locked = "\"ねこ.jpg\",#TRUE#\r\n";
    folder.write("Fname.txt", locked);
    folder.makeReadOnly("Fname.txt");
    try {
        file.Load(program);
        ADD_FAILURE() << "replaced a read-only file";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.kind(), DataFileError::Kind::Write);
    }
    EXPECT_EQ(folder.read("Fname.txt"), locked);
    EXPECT_EQ(folder.names(), std::vector<std::string> { "Fname.txt" });
}

TEST_F(SelectionFileTest, MoreLinesThanAnyFolderCanHoldAreStaleNotFatal)
{
    Names many;
    std::string bytes;
    for (int i = 0; i < ProgramState::kPictureCapacity; ++i) {
        const std::string name = "p" + std::to_string(1000 + i) + ".jpg";
        many.emplace_back(name.begin(), name.end());
        bytes += "\"" + name + "\",#FALSE#\r\n";
    }
    setPictures(program, many);
    folder.write("Fname.txt", bytes + "\"p9999.jpg\",#TRUE#\r\n");
    file.Load(program);
    EXPECT_EQ(program.DeckCount, ProgramState::kPictureCapacity);
    EXPECT_EQ(deck(program), many);
}

TEST_F(SelectionFileTest, AnUnreadableFileIsReportedNamingIt)
{
    const std::vector<std::pair<const char*, std::string>> cases {
        { "a line without its flag", "\"あひる.jpg\"\r\n" },
        { "a flag that is no truth value", "\"あひる.jpg\",maybe\r\n" },
        { "invalid Shift-JIS", "\"\x82\",#TRUE#\r\n" },
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        folder.write("Fname.txt", bytes);
        try {
            file.Load(program);
            ADD_FAILURE() << "loaded";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.kind(), DataFileError::Kind::Read);
            EXPECT_NE(
                std::string(error.what()).find((folder / "Fname.txt").string()), std::string::npos);
        }
        EXPECT_EQ(folder.read("Fname.txt"), bytes);
    }
}

} // namespace
