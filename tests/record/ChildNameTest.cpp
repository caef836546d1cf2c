#include "record/RecordStore.h"

#include "OtherProgram.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

enum class Outcome
{
    Kept, // added, under the name given
    Taken, // refused as the same name as the child given
    Refused, // refused with a sentence holding the words given
};

struct NameCase
{
    const char* what;
    std::u16string typed;
    Outcome outcome;
    std::u16string shown;
};

// Each name that made one child two, or a name nobody can read, typed into a record that holds
// たろう, がく, ケン, 山田 花子, and かな as an earlier version kept it (か and a combining ゛).
TEST(ChildNameTest, KeepsEachChildUnderOneNameThatShows)
{
    const NameCase cases[] = {
        { "a decomposed が of a child there", u"か\u3099く", Outcome::Taken, u"がく" },
        { "a composed が of a child kept decomposed", u"がな", Outcome::Taken, u"か\u3099な" },
        { "a no-break space after", u"たろう\u00A0", Outcome::Taken, u"たろう" },
        { "a no-break space inside", u"た\u00A0ろう", Outcome::Taken, u"たろう" },
        { "no blank between the names", u"山田花子", Outcome::Taken, u"山田 花子" },
        { "a wide blank between the names", u"山田\u3000花子", Outcome::Taken, u"山田 花子" },
        { "half-width katakana", u"ｹﾝ", Outcome::Taken, u"ケン" },
        { "a zero-width space", u"たろう\u200B", Outcome::Refused, u"見えない文字" },
        { "zero-width characters alone", u"\u200B\u200C\u2060", Outcome::Refused, u"見えない文字" },
        { "a right-to-left override", u"\u202Eうろた", Outcome::Refused, u"見えない文字" },
        { "a control character", u"たろ\u0007う", Outcome::Refused, u"見えない文字" },
        { "a line break", u"たろ\nう", Outcome::Refused, u"見えない文字" },
        { "blanks alone", u"\u00A0\u3000 \t", Outcome::Refused, u"名前を入れてください" },
        { "a Hangul filler alone", u"\u3164", Outcome::Refused, u"見える文字がありません" },
        { "a private-use character", u"はな\uE000", Outcome::Refused, u"外字" },
        { "an unpaired surrogate", u"はな\xD800こ", Outcome::Refused, u"こわれた文字" },
        { "a thousand characters", std::u16string(1000, u'あ'), Outcome::Refused, u"20文字まで" },
        { "twenty-one kanji", std::u16string(21, u'漢'), Outcome::Refused, u"20文字まで" },
        { "twenty kanji", std::u16string(20, u'漢'), Outcome::Kept, std::u16string(20, u'漢') },
        { "twenty with one past U+FFFF", u"𠮷" + std::u16string(19, u'田'), Outcome::Kept,
            u"𠮷" + std::u16string(19, u'田') },
        { "blanks of every kind around", u"\u3000\u00A0じろう\u2003\t", Outcome::Kept, u"じろう" },
        { "decomposed", u"さふ\u3099ろう", Outcome::Kept, u"さぶろう" },
        { "a kanji's variation selector", u"葛\U000E0100城", Outcome::Kept, u"葛\U000E0100城" },
        { "a blank between the names", u"鈴木 一郎", Outcome::Kept, u"鈴木 一郎" },
    };

    TempFolder folder;
    const std::filesystem::path file = folder.path() / "records.sqlite";
    RecordStore store(file);
    const std::int64_t taro = store.addChild(u"たろう");
    for (const char16_t* name : { u"がく", u"ケン", u"山田 花子" })
        store.addChild(name);
    OtherProgram(file).exec("INSERT INTO child (name) VALUES ('か\xE3\x82\x99な')");

    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            const std::int64_t id = store.addChild(c.typed);
            EXPECT_EQ(c.outcome, Outcome::Kept);
            EXPECT_EQ(store.childById(id)->name, c.shown);
            EXPECT_EQ(store.findChild(c.typed)->id, id);
            store.removeChild(id);
        } catch (const RecordError& error) {
            ASSERT_NE(c.outcome, Outcome::Kept) << error.what();
            if (c.outcome == Outcome::Refused) {
                EXPECT_NE(error.teacherText().find(c.shown), std::u16string::npos);
                continue;
            }
            EXPECT_EQ(error.kind(), RecordError::Kind::NameTaken);
            EXPECT_EQ(error.teacherText(), u"同じ名前の子どもがいます。");
            const std::optional<Child> there = store.findChild(c.typed);
            ASSERT_TRUE(there);
            EXPECT_EQ(there->name, c.shown);
        }
    }
    EXPECT_EQ(store.children().size(), 5u) << "every child added was removed again";

    // Renamed to another spelling of the same name, a child stays itself; to another child's
    // name, it is refused.
    store.renameChild(taro, u"たろう\u00A0");
    EXPECT_EQ(store.childById(taro)->name, u"たろう");
    try {
        store.renameChild(taro, u"ｹﾝ");
        ADD_FAILURE() << "renamed to another child's name";
    } catch (const RecordError& error) {
        EXPECT_EQ(error.kind(), RecordError::Kind::NameTaken);
    }
}

} // namespace
