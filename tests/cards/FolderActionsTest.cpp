#include "cards/FolderActions.h"

#include "common/Utf8Text.h"

#include "FakeConverter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Outcome = FolderActions::Outcome;

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}

// Every file and folder in the folder and the folders in it, as "もとの絵/とけい.png", sorted.
std::vector<std::string> allNames(const TempFolder& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
        const std::u8string name
            = entry.path().lexically_relative(folder.path()).generic_u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderActionsTest, CopiesAndRenamesWithoutEverOverwriting)
{
    TempFolder folder;
    folder.write(utf8(u"とけい.png"), "PNG");
    folder.write(utf8(u"ネコ.jpg"), "cat");
    folder.write(utf8(u"犬.jpg"), "dog");
    folder.write(utf8(u"いぬ.jpg"), "another dog");
    folder.write(utf8(u"サル.1.jpg"), "monkey");
    folder.write("broken.png", "?");
    folder.write("Fname.txt", "\"x.jpg\",#TRUE#\r\n");
    const FolderActions actions(folder.path(), { KanaKeyboard(true), KanaKeyboard(false) });
    FakeConverter converter;

    // A .jpg copy beside the picture; the picture itself is kept, out of the drill's way.
    auto result = actions.MakeJpegCopy(folder / utf8(u"とけい.png"), u"とけい", converter);
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(result.file, folder / utf8(u"とけい.jpg"));
    EXPECT_EQ(result.kept, folder / utf8(u"もとの絵/とけい.png"));
    EXPECT_EQ(utf8(result.message),
        utf8(u"「とけい.png」から「とけい.jpg」を作りました。もとの「とけい."
             u"png」は、タポミが使わない"
             u"「もとの絵」フォルダーに移しました。"));
    EXPECT_EQ(folder.read(utf8(u"とけい.jpg")), "JPEG of " + utf8(u"とけい.png"));
    EXPECT_EQ(folder.read(utf8(u"もとの絵/とけい.png")), "PNG");
    // Again: the name is taken, the copy is not even made.
    result = actions.MakeJpegCopy(folder / utf8(u"もとの絵/とけい.png"), u"とけい", converter);
    EXPECT_EQ(result.outcome, Outcome::NameTaken);
    EXPECT_NE(result.message.find(u"とけい.jpg"), std::u16string::npos);
    EXPECT_EQ(converter.calls, 1);
    // A picture that can't be read leaves nothing behind and stays where it is.
    result = actions.MakeJpegCopy(folder / "broken.png", u"こわれた", converter);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_FALSE(result.message.empty());

    // Renames: to the suggested hiragana, onto a name that is taken, to a name the child
    // can't type, and one that keeps the rest of its name.
    result = actions.Rename(folder / utf8(u"ネコ.jpg"), u"ねこ");
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(utf8(result.message), utf8(u"「ネコ.jpg」を「ねこ.jpg」に変えました。"));
    EXPECT_EQ(folder.read(utf8(u"ねこ.jpg")), "cat");
    result = actions.Rename(folder / utf8(u"犬.jpg"), u"いぬ");
    EXPECT_EQ(result.outcome, Outcome::NameTaken);
    EXPECT_NE(result.message.find(u"いぬ.jpg"), std::u16string::npos);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"ドッグ").outcome, Outcome::NameRefused);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"").outcome, Outcome::NameRefused);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"いぬいぬいぬいぬいぬい").outcome,
        Outcome::NameRefused);
    result = actions.Rename(folder / utf8(u"サル.1.jpg"), u"さる");
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(utf8(result.message), utf8(u"「サル.1.jpg」を「さる.1.jpg」に変えました。"));

    // A new card from the card maker: made, then kept unless the teacher says to replace it.
    result = actions.SaveCard(u"くま", "bear", false);
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(utf8(result.message), utf8(u"「くま.jpg」を作りました。"));
    EXPECT_EQ(actions.SaveCard(u"くま", "other bear", false).outcome, Outcome::NameTaken);
    EXPECT_EQ(folder.read(utf8(u"くま.jpg")), "bear");
    result = actions.SaveCard(u"くま", "other bear", true);
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(utf8(result.message), utf8(u"「くま.jpg」を新しい絵に取りかえました。"));
    EXPECT_EQ(folder.read(utf8(u"くま.jpg")), "other bear");
    EXPECT_EQ(actions.SaveCard(u"クマ", "bear", false).outcome, Outcome::NameRefused);

    // Every file accounted for, nothing half-written left, the selection file untouched.
    const std::vector<std::string> expected { "Fname.txt", "broken.png", utf8(u"いぬ.jpg"),
        utf8(u"くま.jpg"), utf8(u"さる.1.jpg"), utf8(u"とけい.jpg"), utf8(u"ねこ.jpg"),
        utf8(u"もとの絵"), utf8(u"もとの絵/とけい.png"), utf8(u"犬.jpg") };
    EXPECT_EQ(allNames(folder), expected);
    EXPECT_EQ(folder.read("Fname.txt"), "\"x.jpg\",#TRUE#\r\n");
}

// A new name is taken by any name in the folder that a file system ignoring case would take
// for it, by a folder, and by a name that becomes the same card; the rest of a suggested name
// ("ねこ.1.jpg") is given as it is, as long as it keeps the picture's ending.
TEST(FolderActionsTest, ANameIsTakenInAnyCaseAndEachActionSaysWhatItDid)
{
    enum class Act
    {
        Copy,
        Rename,
        Save,
        SaveReplacing,
    };
    struct Case
    {
        const char* what;
        std::vector<std::u16string> files; // each holds its own name
        std::vector<std::u16string> folders;
        Act act;
        std::u16string picture;
        std::u16string word;
        std::u16string rest;
        Outcome outcome;
        std::u16string message; // the whole message when done, a part of it otherwise
        std::vector<std::u16string> namesAfter;
    };
    const std::u16string kept = u"」は、タポミが使わない「もとの絵」フォルダーに";
    const Case cases[] = {
        { "a copy beside a card of its name in capitals", { u"とけい.png", u"とけい.JPG" }, {},
            Act::Copy, u"とけい.png", u"とけい", u"", Outcome::NameTaken,
            u"「とけい.JPG」はもうあります", { u"とけい.JPG", u"とけい.png" } },
        { "a rename onto a name in capitals", { u"ネコ.jpg", u"ねこ.JPG" }, {}, Act::Rename,
            u"ネコ.jpg", u"ねこ", u"", Outcome::NameTaken, u"「ねこ.JPG」はもうあります",
            { u"ねこ.JPG", u"ネコ.jpg" } },
        { "a rename onto a card written as ふ and a mark", { u"ブリ.jpg", u"ふ\u3099り.jpg" }, {},
            Act::Rename, u"ブリ.jpg", u"ぶり", u"", Outcome::NameTaken,
            u"「ふ\u3099り.jpg」はもうあります", { u"ふ\u3099り.jpg", u"ブリ.jpg" } },
        { "a rename onto a folder's name", { u"ネコ.jpg" }, { u"ねこ.jpg" }, Act::Rename,
            u"ネコ.jpg", u"ねこ", u"", Outcome::NameTaken, u"「ねこ.jpg」はもうあります",
            { u"ねこ.jpg", u"ネコ.jpg" } },
        { "a rename to a suggested number", { u"ネコ.jpg", u"ねこ.jpg" }, {}, Act::Rename,
            u"ネコ.jpg", u"ねこ", u".1.jpg", Outcome::Done,
            u"「ネコ.jpg」を「ねこ.1.jpg」に変えました。", { u"ねこ.1.jpg", u"ねこ.jpg" } },
        { "a rename to another ending", { u"ネコ.jpg" }, {}, Act::Rename, u"ネコ.jpg", u"ねこ",
            u".gif", Outcome::NameRefused, u"この名前は使えません", { u"ネコ.jpg" } },
        { "a rename out of the folder", { u"ネコ.jpg" }, {}, Act::Rename, u"ネコ.jpg", u"ねこ",
            u"./../ねこ.jpg", Outcome::NameRefused, u"この名前は使えません", { u"ネコ.jpg" } },
        { "a copy that would not be a .jpg", { u"とけい.png" }, {}, Act::Copy, u"とけい.png",
            u"とけい", u".png", Outcome::NameRefused, u"この名前は使えません", { u"とけい.png" } },
        { "a copy keeping the rest of its name", { u"とけい.1.png" }, {}, Act::Copy,
            u"とけい.1.png", u"とけい", u"", Outcome::Done,
            u"「とけい.1.png」から「とけい.1.jpg」を作りました。もとの「とけい.1.png" + kept
                + u"移しました。",
            { u"とけい.1.jpg", u"もとの絵", u"もとの絵/とけい.1.png" } },
        { "a copy whose picture's name is kept already", { u"とけい.png", u"もとの絵/とけい.png" },
            { u"もとの絵" }, Act::Copy, u"とけい.png", u"とけい", u"", Outcome::Done,
            u"「とけい.png」から「とけい.jpg」を作りました。もとの「とけい.png" + kept
                + u"「とけい (2).png」として移しました。",
            { u"とけい.jpg", u"もとの絵", u"もとの絵/とけい (2).png", u"もとの絵/とけい.png" } },
        { "a copy where a file has the kept folder's name", { u"とけい.png", u"もとの絵" }, {},
            Act::Copy, u"とけい.png", u"とけい", u"", Outcome::Done,
            u"もとの「とけい.png」は「もとの絵」フォルダーに移せなかったので、このフォルダーに"
            u"残っています",
            { u"とけい.jpg", u"とけい.png", u"もとの絵" } },
        { "a new card beside one in capitals", { u"くま.JPG" }, {}, Act::Save, u"", u"くま", u"",
            Outcome::NameTaken, u"「くま.JPG」はもうあります", { u"くま.JPG" } },
        { "a new card replacing one in capitals", { u"くま.JPG" }, {}, Act::SaveReplacing, u"",
            u"くま", u"", Outcome::Done, u"「くま.JPG」を新しい絵に取りかえました。",
            { u"くま.JPG" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        for (const std::u16string& name : c.folders)
            std::filesystem::create_directory(folder / utf8(name));
        for (const std::u16string& name : c.files)
            folder.write(utf8(name), utf8(name));
        const FolderActions actions(folder.path(), { KanaKeyboard(true) });
        FakeConverter converter;
        const std::filesystem::path picture = folder / utf8(c.picture);
        FolderActions::Result result;
        switch (c.act) {
        case Act::Copy:
            result = actions.MakeJpegCopy(picture, c.word, converter, c.rest);
            break;
        case Act::Rename:
            result = actions.Rename(picture, c.word, c.rest);
            break;
        case Act::Save:
        case Act::SaveReplacing:
            result = actions.SaveCard(c.word, "new", c.act == Act::SaveReplacing);
            break;
        }
        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == Outcome::Done && c.act != Act::Copy) {
            EXPECT_EQ(utf8(result.message), utf8(c.message));
        } else {
            EXPECT_NE(result.message.find(c.message), std::u16string::npos) << utf8(result.message);
        }
        if (c.outcome != Outcome::Done || c.act == Act::Rename) {
            EXPECT_EQ(converter.calls, 0);
        }
        std::vector<std::string> namesAfter;
        for (const std::u16string& name : c.namesAfter)
            namesAfter.push_back(utf8(name));
        std::sort(namesAfter.begin(), namesAfter.end());
        EXPECT_EQ(allNames(folder), namesAfter);
    }
}

} // namespace
