#include "data/PraiseFile.h"

#include "data/DataFileError.h"
#include "data/ShiftJisCodec.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::u16string>;

std::string shiftJis(std::u16string_view text)
{
    return ShiftJisCodec::encode(text).value();
}

Names phrases(const PraisePhraseList& list)
{
    return Names(list.PraisePhrases.begin(), list.PraisePhrases.begin() + list.PraiseCount);
}

TEST(PraiseFileTest, AMissingFileIsCreatedWithTheOnePhrase)
{
    TempFolder folder;
    PraisePhraseList list;
    PraiseFile(folder / "O.txt").Load(list);
    EXPECT_EQ(
        folder.read("O.txt"), TempFolder::hex("82 E6 82 AD 82 C5 82 AB 82 DC 82 B5 82 BD 0D 0A"));
    EXPECT_EQ(phrases(list), Names { u"よくできました" });
}

struct PraiseCase
{
    const char* what;
    std::string bytes;
    Names expected;
};

TEST(PraiseFileTest, ReadsTheTeachersPhrasesAndLeavesTheFileAlone)
{
    const std::vector<PraiseCase> cases {
        { "blank lines between phrases", shiftJis(u"すごい\r\n\r\nいいね\r\n\r\n\r\nやったね\r\n"),
            { u"すごい", u"いいね", u"やったね" } },
        { "split at a comma", shiftJis(u"すごい,いいね\r\n"), { u"すごい", u"いいね" } },
        { "not split at the Japanese comma", shiftJis(u"すごい、いいね\r\n"),
            { u"すごい、いいね" } },
        { "quoted commas and leading blanks", shiftJis(u"  \"そう, そう\"\r\n   はい\r\n"),
            { u"そう, そう", u"はい" } },
        { "an editor's UTF-8 with LF", "\xE3\x81\x99\xE3\x81\x94\xE3\x81\x84\n\n", { u"すごい" } },
        { "a 0-byte file", "", {} },
        { "blank lines only", "\r\n\r\n\r\n", {} },
    };
    for (const PraiseCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.write("O.txt", c.bytes);
        PraisePhraseList list;
        list.PraisePhrases[0] = u"stale";
        PraiseFile(folder / "O.txt").Load(list);
        EXPECT_EQ(phrases(list), c.expected);
        if (list.PraiseCount == 0) {
            EXPECT_EQ(list.PraisePhrases[0], u""); // nothing left over from before
        }
        EXPECT_EQ(folder.read("O.txt"), c.bytes);
    }
}

TEST(PraiseFileTest, KeepsTheFirstTwentyOnePhrases)
{
    Names all;
    std::string bytes;
    for (int i = 0; i < 25; ++i) {
        const std::string phrase = "phrase" + std::to_string(i);
        all.emplace_back(phrase.begin(), phrase.end());
        bytes += phrase + "\r\n";
    }
    const Names first21(all.begin(), all.begin() + PraisePhraseList::kCapacity);
    const std::string exactly21 = bytes.substr(0, bytes.find("phrase21"));

    for (const std::string& content : { exactly21, exactly21 + "\r\n", bytes }) {
        TempFolder folder;
        folder.write("O.txt", content);
        PraisePhraseList list;
        PraiseFile(folder / "O.txt").Load(list);
        EXPECT_EQ(list.PraiseCount, PraisePhraseList::kCapacity);
        EXPECT_EQ(phrases(list), first21);
    }
}

TEST(PraiseFileTest, AFileThatCannotBeOpenedIsReported)
{
    TempFolder folder;
    PraisePhraseList list;
    EXPECT_THROW(PraiseFile(folder / "absent" / "O.txt").Load(list), DataFileError);
    std::filesystem::create_directory(folder / "O.txt");
    EXPECT_THROW(PraiseFile(folder / "O.txt").Load(list), DataFileError);
}

struct MixedCase
{
    const char* what;
    std::string bytes;
    Names expected;
    std::vector<int> leftOut;
};

// Teachers add lines with whatever editor they have: each line is read in its own encoding, and
// a line that is neither Shift-JIS nor UTF-8 is left out, named, and the rest still used.
TEST(PraiseFileTest, ReadsEachLineInItsOwnEncodingAndLeavesOutUnreadableLines)
{
    const std::string created = TempFolder::hex("82 E6 82 AD 82 C5 82 AB 82 DC 82 B5 82 BD 0D 0A");
    const std::vector<MixedCase> cases {
        { "echo はなまるです >> O.txt on the created file",
            created + TempFolder::hex("E3 81 AF E3 81 AA E3 81 BE E3 82 8B E3 81 A7 E3 81 99 0A"),
            { u"よくできました", u"はなまるです" }, {} },
        // よくできました in UTF-8 is also valid Shift-JIS ("繧医￥…"); ﾈｺ in Shift-JIS is also
        // valid UTF-8 ("Ⱥ"); 82 FF is neither.
        { "Shift-JIS, UTF-8, broken and half-width lines",
            shiftJis(u"すごい\r\n") + "\xE3\x82\x88\xE3\x81\x8F\xE3\x81\xA7\xE3\x81\x8D"
                + "\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F\n" + TempFolder::hex("82 FF 0D 0A")
                + TempFolder::hex("C8 BA 0D 0A") + shiftJis(u"やったね,いいね\r\n"),
            { u"すごい", u"よくできました", u"ﾈｺ", u"やったね", u"いいね" }, { 3 } },
        { "lone CR line ends, a broken first and last line",
            TempFolder::hex("82 0D 82 A0 0D 41 42 0D E3"), { u"あ", u"AB" }, { 1, 4 } },
        { "a UTF-8 mark, then a Shift-JIS line",
            "\xEF\xBB\xBF\xE3\x81\x99\xE3\x81\x94\xE3\x81\x84\r\n" + shiftJis(u"いいね\r\n"),
            { u"すごい", u"いいね" }, {} },
        { "nothing readable", TempFolder::hex("82 0D 0A 81 0D 0A"), {}, { 1, 2 } },
    };
    for (const MixedCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.write("O.txt", c.bytes);
        PraisePhraseList list;
        EXPECT_EQ(PraiseFile(folder / "O.txt").Load(list), c.leftOut);
        EXPECT_EQ(phrases(list), c.expected);
        EXPECT_EQ(PraiseFile(folder / "O.txt").UnreadableLines(), c.leftOut);
        EXPECT_EQ(folder.read("O.txt"), c.bytes); // never rewritten
    }
    TempFolder empty;
    EXPECT_TRUE(PraiseFile(empty / "O.txt").UnreadableLines().empty());
    EXPECT_FALSE(empty.exists("O.txt")); // looking does not create it
}

} // namespace
