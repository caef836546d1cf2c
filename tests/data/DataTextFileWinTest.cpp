#include "data/DataTextFile.h"

#include "data/DataFileError.h"
#include "data/PictureListing.h"

#include "DataFileFailure.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <windows.h>

// What replacing and reading files meets on Windows alone: the read-only and hidden marks,
// device names, process numbers, and names that only a wide string holds.

namespace {

constexpr auto kProgram = DataItemReader::Source::Program;

DWORD attributes(const std::filesystem::path& path)
{
    return GetFileAttributesW(path.c_str());
}

TEST(DataTextFileWinTest, AReadOnlyFileIsKeptAsItIsAndNoTemporaryFileIsLeft)
{
    TempFolder folder;
    folder.write("tapomi.txt", "old");
    folder.makeReadOnly("tapomi.txt");
    ASSERT_NE(attributes(folder / "tapomi.txt") & FILE_ATTRIBUTE_READONLY, 0u);

    DataTextFile file;
    file.openForWriting(folder / "tapomi.txt");
    file.WriteLine(u"#FALSE#,#FALSE#,#FALSE#,#FALSE#,40");
    EXPECT_EQ(failureKind([&] { file.close(); }), DataFileError::Kind::Write);
    EXPECT_EQ(folder.read("tapomi.txt"), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string> { "tapomi.txt" });
}

TEST(DataTextFileWinTest, ReplacingKeepsTheHiddenMarkAndAddsNone)
{
    TempFolder folder;
    folder.write("Fname.txt", "old");
    ASSERT_TRUE(SetFileAttributesW((folder / "Fname.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));

    for (const char* name : { "Fname.txt", "tapomi.txt" }) {
        DataTextFile file;
        file.openForWriting(folder / name);
        file.WriteLine(u"new");
        file.close();
        EXPECT_EQ(folder.read(name), "new\r\n");
    }
    EXPECT_NE(attributes(folder / "Fname.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(attributes(folder / "tapomi.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(folder.names(), (std::vector<std::string> { "Fname.txt", "tapomi.txt" }));
}

TEST(DataTextFileWinTest, ADeviceNameIsRefusedWithoutReadingIt)
{
    TempFolder folder;
    DataTextFile file;
    // NUL is the null device in every folder: it opens, but it is no file on a disk.
    EXPECT_EQ(failureKind([&] { file.openForReading(folder / "NUL", kProgram); }),
        DataFileError::Kind::Open);
}

TEST(DataTextFileWinTest, TemporaryFilesOfAbandonedSavesGoAtTheNextSaveOfTheirFile)
{
    TempFolder folder;
    folder.write("tapomi.txt", "old");
    const std::string self = std::to_string(GetCurrentProcessId());
    const std::string stillSaving = ".tapomi.txt." + self + ".3.tmp";
    const std::string forgotten = ".tapomi.txt." + self + ".4.tmp";
    const std::string otherFile = ".Fname.txt.1.0.tmp";
    const std::string teachers = ".tapomi.txt.bak";
    for (const std::string& name : { stillSaving, forgotten, otherFile, teachers })
        folder.write(name, "x");
    // Two hours old: no save takes that long, whoever's it was.
    std::filesystem::last_write_time(
        folder / forgotten, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));

    DataTextFile file;
    file.openForWriting(folder / "tapomi.txt");
    file.WriteLine(u"new");
    file.close();
    EXPECT_EQ(folder.read("tapomi.txt"), "new\r\n");
    std::vector<std::string> kept { stillSaving, otherFile, teachers, "tapomi.txt" };
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.names(), kept);
}

TEST(DataTextFileWinTest, NamesOutsideTheAnsiCodePageKeepEveryCharacter)
{
    // Hangul and an emoji: neither code page 932 nor any ANSI code page holds them, so a path
    // that went through a narrow string would lose them.
    TempFolder folder;
    const std::string name = "\xED\x95\x9C\xEA\xB8\x80 \xF0\x9F\x90\xB6";
    std::filesystem::create_directory(folder / name);
    const std::filesystem::path saved = folder / (name + "/tapomi.txt");

    DataTextFile file;
    file.openForWriting(saved);
    file.WriteLine(u"あ");
    file.close();
    EXPECT_EQ(folder.read(name + "/tapomi.txt"), "\x82\xA0\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string> { name });

    // The listing sees the pictures of such a folder, and a picture name of that kind is left
    // out as on Linux: the selection file could not hold it.
    folder.write(name + "/\xE3\x81\x82.jpg", "x");
    folder.write(name + "/\xED\x95\x9C.jpg", "x");
    const auto listed = PictureListing::List(folder / name);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, u"あ.jpg");
}

} // namespace
