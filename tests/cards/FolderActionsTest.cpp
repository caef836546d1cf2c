#include "cards/FolderActions.h"

#include "app/Utf8Text.h"

#include "FakeConverter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Outcome = FolderActions::Outcome;

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
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

    // A .jpg copy beside the picture, which stays as it is.
    auto result = actions.MakeJpegCopy(folder / utf8(u"とけい.png"), u"とけい", converter);
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(result.file, folder / utf8(u"とけい.jpg"));
    EXPECT_EQ(folder.read(utf8(u"とけい.jpg")), "JPEG of " + utf8(u"とけい.png"));
    EXPECT_EQ(folder.read(utf8(u"とけい.png")), "PNG");
    // Again: the name is taken, the copy is not even made.
    result = actions.MakeJpegCopy(folder / utf8(u"とけい.png"), u"とけい", converter);
    EXPECT_EQ(result.outcome, Outcome::NameTaken);
    EXPECT_NE(result.message.find(u"とけい.jpg"), std::u16string::npos);
    EXPECT_EQ(converter.calls, 1);
    // A picture that can't be read leaves nothing behind.
    result = actions.MakeJpegCopy(folder / "broken.png", u"こわれた", converter);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_FALSE(result.message.empty());

    // Renames: to the suggested hiragana, onto a name that is taken, to a name the child
    // can't type, and one that keeps the rest of its name.
    result = actions.Rename(folder / utf8(u"ネコ.jpg"), u"ねこ");
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(folder.read(utf8(u"ねこ.jpg")), "cat");
    result = actions.Rename(folder / utf8(u"犬.jpg"), u"いぬ");
    EXPECT_EQ(result.outcome, Outcome::NameTaken);
    EXPECT_NE(result.message.find(u"いぬ.jpg"), std::u16string::npos);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"ドッグ").outcome, Outcome::NameRefused);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"").outcome, Outcome::NameRefused);
    EXPECT_EQ(actions.Rename(folder / utf8(u"犬.jpg"), u"いぬいぬいぬいぬいぬい").outcome,
        Outcome::NameRefused);
    EXPECT_EQ(actions.Rename(folder / utf8(u"サル.1.jpg"), u"さる").outcome, Outcome::Done);

    // A new card from the card maker: made, then kept unless the teacher says to replace it.
    EXPECT_EQ(actions.SaveCard(u"くま", "bear", false).outcome, Outcome::Done);
    EXPECT_EQ(actions.SaveCard(u"くま", "other bear", false).outcome, Outcome::NameTaken);
    EXPECT_EQ(folder.read(utf8(u"くま.jpg")), "bear");
    EXPECT_EQ(actions.SaveCard(u"くま", "other bear", true).outcome, Outcome::Done);
    EXPECT_EQ(folder.read(utf8(u"くま.jpg")), "other bear");
    EXPECT_EQ(actions.SaveCard(u"クマ", "bear", false).outcome, Outcome::NameRefused);

    // Every file accounted for, nothing half-written left, the selection file untouched.
    const std::vector<std::string> expected { "Fname.txt", "broken.png", utf8(u"いぬ.jpg"),
        utf8(u"くま.jpg"), utf8(u"さる.1.jpg"), utf8(u"とけい.jpg"), utf8(u"とけい.png"),
        utf8(u"ねこ.jpg"), utf8(u"犬.jpg") };
    EXPECT_EQ(folder.names(), expected);
    EXPECT_EQ(folder.read("Fname.txt"), "\"x.jpg\",#TRUE#\r\n");
}

} // namespace
