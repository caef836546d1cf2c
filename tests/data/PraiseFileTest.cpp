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

TEST(PraiseFileTest, AnUnreadableFileIsReported)
{
    TempFolder folder;
    folder.write("O.txt", "\x82\r\n");
    PraisePhraseList list;
    EXPECT_THROW(PraiseFile(folder / "O.txt").Load(list), DataFileError);
    EXPECT_EQ(folder.read("O.txt"), "\x82\r\n");
    EXPECT_THROW(PraiseFile(folder / "absent" / "O.txt").Load(list), DataFileError);
}

} // namespace
