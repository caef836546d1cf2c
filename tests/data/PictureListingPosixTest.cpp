#include "data/PictureListing.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

// Names and links that only Linux file systems hold: symbolic links without privileges, bytes
// that are not UTF-8, quotes and control characters.

namespace {

using Names = std::vector<std::u16string>;

Names listedNames(const std::filesystem::path& folder)
{
    Names names;
    for (const PictureListing::Entry& entry : PictureListing::List(folder))
        names.push_back(entry.name);
    return names;
}

TEST(PictureListingTest, FollowsLinksToPicturesAndSkipsBrokenOnes)
{
    TempFolder folder;
    folder.write("A.JPG", "x");
    std::filesystem::create_symlink("A.JPG", folder / "f.jpg");
    std::filesystem::create_symlink("gone.jpg", folder / "g.jpg");

    EXPECT_EQ(listedNames(folder.path()), (Names { u"A.JPG", u"f.jpg" }));
}

TEST(PictureListingTest, LeavesOutNamesThatAreNoTextOrHoldDelimiters)
{
    TempFolder folder;
    for (const char* name : { "\xE3\x81\x84\xE3\x81\xAC.jpg", // いぬ
             "\x82\xA0.jpg", // a Shift-JIS name, not UTF-8
             "a\"b.jpg", "new\nline.jpg" })
        folder.write(name, "x");
    EXPECT_EQ(listedNames(folder.path()), (Names { u"いぬ.jpg" }));
}

} // namespace
