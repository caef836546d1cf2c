#include "data/PictureListing.h"

#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/PictureCollator.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::u16string>;

void touch(const TempFolder& folder, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        folder.write(name, "x");
}

Names listedNames(const std::filesystem::path& folder)
{
    Names names;
    for (const PictureListing::Entry& entry : PictureListing::List(folder))
        names.push_back(entry.name);
    return names;
}

TEST(PictureListingTest, ListsPlainPictureFilesWhateverTheCaseOfTheirEnding)
{
    TempFolder folder;
    touch(folder,
        { "A.JPG", "b.Gif", "c.BMP", "a.png", "b.jpeg", ".e.jpg", "jpg", "x.jpg.txt",
            "tapomi.txt" });
    std::filesystem::create_directory(folder / "d.jpg");

    EXPECT_EQ(listedNames(folder.path()), (Names { u"A.JPG", u"b.Gif", u"c.BMP" }));
}

TEST(PictureListingTest, SortsAsTheJapaneseLocaleDoesWithCaseIgnored)
{
    TempFolder folder;
    // Created in an order unlike the expected one, so the file system's own order can't pass.
    // (A.jpg and a.jpg side by side, which Windows can't hold, are the collator's test.)
    touch(folder,
        { "\xE3\x81\xAF\xE3\x81\xAA.jpg", // はな
            "b.jpg", "\xE3\x81\xB0\xE3\x81\x8B.jpg", // ばか
            "C.jpg", "\xE3\x81\x8B.gif", // か
            "\xE3\x81\x8C.gif" }); // が
    // ばか before はな: the voiced mark weighs less than the letters after it. b before C: case
    // is ignored.
    EXPECT_EQ(listedNames(folder.path()),
        (Names { u"b.jpg", u"C.jpg", u"か.gif", u"が.gif", u"ばか.jpg", u"はな.jpg" }));
    EXPECT_LT(
        std::u16string(u"はな.jpg"), std::u16string(u"ばか.jpg")); // what code units would say
}

TEST(PictureCollatorTest, OrdersEveryPairOneWayOnly)
{
    const PictureCollator collator;
    const std::vector<std::pair<std::u16string, std::u16string>> ordered {
        { u"ばか.jpg", u"はな.jpg" }, // voiced mark weighs less than the letter after it
        { u"は.jpg", u"ば.jpg" }, // but more than no mark
        { u"a.jpg", u"B.jpg" }, // case ignored
        { u"A.jpg", u"a.jpg" }, // indistinguishable: code units decide
        { u"か.jpg", u"カ.jpg" },
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_TRUE(collator.less(first, second));
        EXPECT_FALSE(collator.less(second, first));
    }
    EXPECT_FALSE(collator.less(u"a.jpg", u"a.jpg"));
}

TEST(PictureCollatorTest, SmallKanaWeighAsTheirLargeFormsAndCodeUnitsSettleTheRest)
{
    // A folder sorts alike on Linux and Windows: small and large kana, hiragana and katakana
    // weigh the same, so these pairs are ties that code units settle.
    const PictureCollator collator;
    const std::vector<std::pair<std::u16string, std::u16string>> ordered {
        { u"あ.jpg", u"ァ.jpg" },
        { u"きやく.jpg", u"キャク.jpg" },
        { u"いしゃ.jpg", u"いしや.jpg" },
        { u"がっき.jpg", u"ガツキ.jpg" },
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_TRUE(collator.less(first, second)) << Utf8Text::encode(first);
        EXPECT_FALSE(collator.less(second, first)) << Utf8Text::encode(first);
    }
    // They weigh the same only against each other: the next letter still decides first.
    EXPECT_TRUE(collator.less(u"キャク.jpg", u"きゆ.jpg"));
}

TEST(PictureListingTest, LeavesOutNamesTheSelectionFileCouldNotCarryUnchanged)
{
    TempFolder folder;
    touch(folder,
        { "\xE3\x81\x84\xE3\x81\xAC.jpg", // いぬ
            "\xF0\x9F\x90\xB6.jpg", // an emoji
            "\xC2\xA5"
            "100.jpg" }); // the yen sign reads back as a backslash
    EXPECT_EQ(listedNames(folder.path()), (Names { u"いぬ.jpg" }));

    EXPECT_TRUE(PictureListing::isStorableName(u"いぬ.jpg"));
    EXPECT_FALSE(PictureListing::isStorableName(u""));
    EXPECT_FALSE(PictureListing::isStorableName(u"a\"b.jpg"));
    EXPECT_FALSE(PictureListing::isStorableName(u"new\nline.jpg"));
    EXPECT_TRUE(PictureListing::hasPictureEnding(u"x.JpG"));
    EXPECT_FALSE(PictureListing::hasPictureEnding(u"jpg"));
}

TEST(PictureListingTest, ListsNamesFromAMacUnderTheirComposedFormKeepingTheRealName)
{
    const std::u16string decomposedGrapes = u"ふ\u3099と\u3099う.jpg"; // ぶどう
    const std::u16string decomposedBread = u"は\u309Aん.gif"; // ぱん
    TempFolder folder;
    for (const std::u16string& name : { decomposedGrapes, decomposedBread,
             std::u16string(u"ぱん.gif"), std::u16string(u"いぬ.jpg"),
             std::u16string(u"う\u3099.jpg"), // ゔ: composed, but Shift-JIS has no hiragana ゔ
             std::u16string(u"か\u309A.jpg") }) // a mark with no composed form
        folder.write(Utf8Text::encode(name), "x");

    using Entry = PictureListing::Entry;
    EXPECT_EQ(PictureListing::List(folder.path()),
        (std::vector<Entry> { { u"いぬ.jpg", u"いぬ.jpg" }, { u"ぱん.gif", u"ぱん.gif" },
            { u"ぶどう.jpg", decomposedGrapes } }));

    // Alone, the decomposed bread is listed under the composed name too.
    std::filesystem::remove(folder / "\xE3\x81\xB1\xE3\x82\x93.gif"); // ぱん.gif
    const auto listed = PictureListing::List(folder.path());
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1], (Entry { u"ぱん.gif", decomposedBread }));
}

TEST(PictureListingTest, AFolderThatCannotBeListedIsReported)
{
    TempFolder folder;
    try {
        PictureListing::List(folder / "absent");
        ADD_FAILURE() << "listed a folder that does not exist";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.kind(), DataFileError::Kind::List);
        EXPECT_EQ(error.path(), folder / "absent");
    }
}

} // namespace
