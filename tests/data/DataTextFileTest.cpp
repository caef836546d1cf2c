#include "data/DataTextFile.h"

#include "data/DataFileError.h"

#include "DataFileFailure.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr auto kProgram = DataItemReader::Source::Program;

const std::string kTwoPictureSelection
    = TempFolder::hex("22 82 A0 82 D0 82 E9 2E 6A 70 67 22 2C 23 54 52 55 45 23 0D 0A"
                      "22 82 A2 82 CA 2E 67 69 66 22 2C 23 46 41 4C 53 45 23 0D 0A");

TEST(DataTextFileTest, WritesRecordsAndPlainLinesByteForByte)
{
    TempFolder folder;
    DataTextFile file;
    file.openForWriting(folder / "Fname.txt");
    file.WriteItems({ DataItem::text(u"あひる.jpg"), DataItem::truth(kTrue) });
    file.WriteItems({ DataItem::text(u"いぬ.gif"), DataItem::truth(kFalse) });
    EXPECT_FALSE(folder.exists("Fname.txt")); // nothing reaches the disk before close
    file.close();
    EXPECT_EQ(folder.read("Fname.txt").size(), 41u);
    EXPECT_EQ(folder.read("Fname.txt"), kTwoPictureSelection);

    file.openForWriting(folder / "mixed.txt");
    file.WriteItems({ DataItem::integer(-32768), DataItem::truth(1), DataItem::text(u"") });
    file.WriteLine(u"よく, できました");
    file.close();
    EXPECT_EQ(folder.read("mixed.txt"),
        "-32768,#TRUE#,\"\"\r\n"
            + TempFolder::hex("82 E6 82 AD 2C 20 82 C5 82 AB 82 DC 82 B5 82 BD 0D 0A"));
    EXPECT_EQ(folder.names(), (std::vector<std::string> { "Fname.txt", "mixed.txt" }));
}

TEST(DataTextFileTest, ReadsBackWhatItWrote)
{
    TempFolder folder;
    folder.write("Fname.txt", kTwoPictureSelection);
    DataTextFile file;
    ASSERT_EQ(
        file.openForReading(folder / "Fname.txt", kProgram), DataTextFile::OpenResult::Opened);
    std::u16string first, second;
    TruthValue firstFlag = kFalse, secondFlag = kTrue;
    file.ReadItems({ DataTarget::text(first), DataTarget::truth(firstFlag) });
    EXPECT_FALSE(file.AtEnd());
    file.ReadItems({ DataTarget::text(second), DataTarget::truth(secondFlag) });
    EXPECT_TRUE(file.AtEnd());
    file.close();
    EXPECT_EQ(first, u"あひる.jpg");
    EXPECT_EQ(firstFlag, kTrue);
    EXPECT_EQ(second, u"いぬ.gif");
    EXPECT_EQ(secondFlag, kFalse);
}

TEST(DataTextFileTest, TellsAMissingFileApartFromEveryOtherFailure)
{
    TempFolder folder;
    DataTextFile file;
    EXPECT_EQ(
        file.openForReading(folder / "none.txt", kProgram), DataTextFile::OpenResult::Missing);
    EXPECT_EQ(file.openForReading(folder / "no-folder" / "none.txt", kProgram),
        DataTextFile::OpenResult::Missing);

    std::filesystem::create_directory(folder / "folder.txt");
    EXPECT_EQ(failureKind([&] { file.openForReading(folder / "folder.txt", kProgram); }),
        DataFileError::Kind::Open);

    folder.write("huge.txt", std::string(DataTextFile::kMaxReadBytes + 1, 'a'));
    EXPECT_EQ(failureKind([&] { file.openForReading(folder / "huge.txt", kProgram); }),
        DataFileError::Kind::Read);
}

TEST(DataTextFileTest, AFailedOrUnfinishedWriteLeavesTheOldFileAsItWas)
{
    TempFolder folder;
    folder.write("Fname.txt", kTwoPictureSelection);

    DataTextFile file;
    file.openForWriting(folder / "Fname.txt");
    file.WriteItems({ DataItem::text(u"あ.jpg"), DataItem::truth(kTrue) });
    EXPECT_EQ(failureKind([&] { file.WriteItems({ DataItem::text(u"\U0001F436.jpg") }); }),
        DataFileError::Kind::Write);
    EXPECT_EQ(failureKind([&] { file.WriteItems({ DataItem::text(u"a\"b.jpg") }); }),
        DataFileError::Kind::Write);
    {
        DataTextFile unfinished;
        unfinished.openForWriting(folder / "Fname.txt");
        unfinished.WriteLine(u"x");
    }
    EXPECT_EQ(folder.read("Fname.txt"), kTwoPictureSelection);
    EXPECT_EQ(folder.names(), (std::vector<std::string> { "Fname.txt" }));

    DataTextFile lost;
    lost.openForWriting(folder / "no-folder" / "tapomi.txt");
    lost.WriteLine(u"x");
    try {
        lost.close();
        ADD_FAILURE() << "wrote into a folder that does not exist";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.kind(), DataFileError::Kind::Write);
        EXPECT_NE(std::string(error.what()).find((folder / "no-folder" / "tapomi.txt").string()),
            std::string::npos);
    }
}

} // namespace
