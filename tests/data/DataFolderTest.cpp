#include "data/DataFolder.h"

#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/ShiftJisCodec.h"

#include "RecordingWarningBox.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::u16string>;

class DataFolderTest : public ::testing::Test
{
protected:
    void touch(const std::string& name, const std::string& subfolder = "cards") const
    {
        std::filesystem::create_directories(working / subfolder);
        working.write(subfolder + "/" + name, "x");
    }

    Names pictures() const
    {
        return Names(
            program.AllPictures.begin(), program.AllPictures.begin() + program.pictureCount());
    }

    Names deck() const
    {
        return Names(program.Deck.begin(), program.Deck.begin() + program.deckCount());
    }

    // One start-up's worth of data work on the folder named "cards".
    void start()
    {
        program = {};
        program.ArgumentText = u"cards";
        data.LoadSettings();
        ASSERT_TRUE(data.ListPictures());
        data.LoadSelection();
    }

    TempFolder working;
    ProgramState program;
    RecordingWarningBox warnings;
    DataFolder data { program, warnings, working.path() };
};

TEST(DataFolderArgumentTest, JoinsTheArgumentWordsWithSingleBlanks)
{
    char name[] = "tapomi";
    char first[] = "/home/sensei/\xE3\x81\xB2\xE3\x82\x89\xE3\x81\x8C\xE3\x81\xAA"; // ひらがな
    char second[] = "cards";
    char* argv[] = { name, first, second, nullptr };
    EXPECT_EQ(DataFolder::ArgumentText(3, argv), u"/home/sensei/ひらがな cards");
    EXPECT_EQ(DataFolder::ArgumentText(2, argv), u"/home/sensei/ひらがな");
    EXPECT_EQ(DataFolder::ArgumentText(1, argv), u"");
}

TEST_F(DataFolderTest, FindsTheDataFilesThroughThePrefixAndThePraiseInTheWorkingDirectory)
{
    const std::filesystem::path cards = working / "my cards";
    std::filesystem::create_directory(cards);
    const std::vector<std::pair<std::u16string, std::u16string>> cases {
        { u"", u"" },
        { u"my cards", u"my cards/" },
        { u"my cards/", u"my cards//" },
        { Names::value_type(cards.u16string()), cards.u16string() + u"/" },
    };
    for (const auto& [argument, prefix] : cases) {
        program.ArgumentText = argument;
        data.LoadSettings();
        EXPECT_EQ(program.DataPrefix, prefix);
        const std::filesystem::path expectedFolder = argument.empty() ? working.path() : cards;
        EXPECT_TRUE(std::filesystem::exists(expectedFolder / "tapomi.txt"));
        EXPECT_TRUE(std::filesystem::equivalent(data.settingsPath().parent_path(), expectedFolder));
        // Compared through a file inside: Windows can't examine a folder named with a trailing
        // separator, though it lists and opens it.
        EXPECT_TRUE(std::filesystem::equivalent(
            data.pictureFolder() / "tapomi.txt", expectedFolder / "tapomi.txt"));
        EXPECT_EQ(data.selectionPath().parent_path(), data.settingsPath().parent_path());
        EXPECT_EQ(data.praisePath(), working / "O.txt");
    }
}

TEST_F(DataFolderTest, AFolderWithoutPicturesWarnsAndWritesNoSelection)
{
    touch("a.png");
    touch("b.jpeg");
    program.ArgumentText = u"cards";
    data.LoadSettings();
    PraisePhraseList praise;
    data.LoadPraisePhrases(praise);
    EXPECT_FALSE(data.ListPictures());
    ASSERT_EQ(warnings.shown.size(), 1u);
    EXPECT_EQ(warnings.shown[0].first, u"画像データが足りません！");
    EXPECT_EQ(warnings.shown[0].second, u"タポミ");
    EXPECT_EQ(program.AllPictureCount, 0);
    EXPECT_FALSE(working.exists("cards/Fname.txt"));
    EXPECT_TRUE(working.exists("cards/tapomi.txt"));
    EXPECT_TRUE(working.exists("O.txt"));
}

TEST_F(DataFolderTest, KeepsTheFirst101PicturesInListingOrder)
{
    Names expected;
    for (int i = 0; i < 102; ++i) {
        const std::string name = "p" + std::to_string(1000 + i) + ".jpg";
        touch(name);
        expected.emplace_back(name.begin(), name.end());
    }
    std::filesystem::remove(working / "cards" / "p1101.jpg");
    expected.pop_back();
    start();
    EXPECT_EQ(program.AllPictureCount, 101);
    EXPECT_EQ(pictures(), expected);

    touch("p0999.jpg"); // sorts first, pushing p1100 out
    start();
    EXPECT_EQ(program.AllPictureCount, 101);
    EXPECT_EQ(program.AllPictures[0], u"p0999.jpg");
    EXPECT_EQ(program.AllPictures[100], u"p1099.jpg");
    EXPECT_EQ(program.DeckCount, 101);
}

TEST_F(DataFolderTest, TheStoredSelectionMeetsAChangedFolderAsExpected)
{
    for (const char* name : { "b.jpg", "c.gif", "d.bmp" })
        touch(name);
    start();
    EXPECT_EQ(deck(), (Names { u"b.jpg", u"c.gif", u"d.bmp" }));
    EXPECT_EQ(working.read("cards/Fname.txt"),
        "\"b.jpg\",#TRUE#\r\n\"c.gif\",#TRUE#\r\n\"d.bmp\",#TRUE#\r\n");

    // The teacher keeps only c.gif.
    program.Deck[0] = u"c.gif";
    program.DeckCount = 1;
    data.SaveSelection();
    const std::string chosen = working.read("cards/Fname.txt");

    start(); // nothing changed
    EXPECT_EQ(deck(), Names { u"c.gif" });

    touch("e.jpg"); // sorts last: the choice stands, the newcomer is not in it
    start();
    EXPECT_EQ(pictures(), (Names { u"b.jpg", u"c.gif", u"d.bmp", u"e.jpg" }));
    EXPECT_EQ(deck(), Names { u"c.gif" });
    EXPECT_EQ(working.read("cards/Fname.txt"), chosen);

    std::filesystem::remove(working / "cards" / "d.bmp"); // a removed picture: rebuilt
    start();
    EXPECT_EQ(deck(), (Names { u"b.jpg", u"c.gif", u"e.jpg" }));

    program.Deck[0] = u"e.jpg";
    program.DeckCount = 1;
    data.SaveSelection();
    touch("a.jpg"); // sorts first: rebuilt
    start();
    EXPECT_EQ(deck(), (Names { u"a.jpg", u"b.jpg", u"c.gif", u"e.jpg" }));
}

struct FolderCase
{
    const char* what;
    Names files; // as the folder holds them
    Names listed; // as the drill shows them
};

TEST_F(DataFolderTest, TheTeachersChoiceSurvivesRestartsWhateverTheNames)
{
    const std::vector<FolderCase> cases {
        // ﾈｺ is C8 BA in Shift-JIS, which is valid UTF-8 too.
        { "half-width katakana beside ASCII", { u"ﾈｺ.jpg", u"cat.jpg", u"dog.jpg", u"bird.jpg" },
            { u"bird.jpg", u"cat.jpg", u"dog.jpg", u"ﾈｺ.jpg" } },
        { "a name from a Mac alone", { u"ふ\u3099と\u3099う.jpg" }, { u"ぶどう.jpg" } },
        { "names from a Mac among others", { u"ねこ.bmp", u"は\u309Aん.gif", u"いぬ.jpg" },
            { u"いぬ.jpg", u"ねこ.bmp", u"ぱん.gif" } },
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(working / "cards");
        for (const std::u16string& name : c.files)
            touch(Utf8Text::encode(name));

        start();
        EXPECT_EQ(pictures(), c.listed);
        EXPECT_EQ(deck(), c.listed);
        std::string everyOne;
        for (const std::u16string& name : c.listed)
            everyOne += "\"" + ShiftJisCodec::encode(name).value() + "\",#TRUE#\r\n";
        EXPECT_EQ(working.read("cards/Fname.txt"), everyOne);

        program.Deck[0] = c.listed.back();
        program.DeckCount = 1;
        data.SaveSelection();
        const std::string chosen = working.read("cards/Fname.txt");
        start();
        EXPECT_EQ(deck(), Names { c.listed.back() });
        EXPECT_EQ(working.read("cards/Fname.txt"), chosen);
    }
}

TEST_F(DataFolderTest, AMissingDataFolderIsReported)
{
    program.ArgumentText = u"no such folder";
    try {
        data.LoadSettings();
        ADD_FAILURE() << "settings loaded from a folder that does not exist";
    } catch (const DataFileError& error) {
        EXPECT_NE(std::string(error.what()).find("no such folder/tapomi.txt"), std::string::npos);
    }
    EXPECT_THROW(data.ListPictures(), DataFileError);
}

} // namespace
