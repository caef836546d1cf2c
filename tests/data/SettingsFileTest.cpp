#include "data/SettingsFile.h"

#include "data/DataFileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kDefaultFile
    = TempFolder::hex("23 54 52 55 45 23 2C 23 46 41 4C 53 45 23 2C"
                      "23 54 52 55 45 23 2C 23 54 52 55 45 23 2C 31 0D 0A");

Settings allOff(std::int16_t tenths)
{
    return { kFalse, kFalse, kFalse, kFalse, tenths };
}

TEST(SettingsFileTest, AFirstRunWritesTheDefaultFile)
{
    TempFolder folder;
    const Settings settings = SettingsFile(folder / "tapomi.txt").Load();
    EXPECT_EQ(settings, Settings {});
    EXPECT_EQ(folder.read("tapomi.txt").size(), 32u);
    EXPECT_EQ(folder.read("tapomi.txt"), kDefaultFile);
}

struct KeptCase
{
    const char* what;
    std::string bytes;
    Settings expected;
};

TEST(SettingsFileTest, AReadableFileIsTakenAndLeftAlone)
{
    const std::vector<KeptCase> cases {
        { "the default line", kDefaultFile, Settings {} },
        { "all false and 40", "#FALSE#,#FALSE#,#FALSE#,#FALSE#,40\r\n", allOff(40) },
        { "five values on five lines", "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n40\r\n",
            allOff(40) },
        { "items after the fifth", "#FALSE#,#FALSE#,#FALSE#,#FALSE#,40,junk\r\nmore\r\n",
            allOff(40) },
        { "an editor's LF line end", "#false#,#FALSE#,#FALSE#,#FALSE#,-3\n", allOff(-3) },
        { "mixed", "#TRUE#,#TRUE#,#FALSE#,#TRUE#,32767\r\n",
            { kTrue, kTrue, kFalse, kTrue, 32767 } },
        { "blank lines after the record", kDefaultFile + "\r\n \r\n\r\n", Settings {} },
    };
    for (const KeptCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.write("tapomi.txt", c.bytes);
        EXPECT_EQ(SettingsFile(folder / "tapomi.txt").Load(), c.expected);
        EXPECT_EQ(folder.read("tapomi.txt"), c.bytes);
    }
}

TEST(SettingsFileTest, AShortOrMalformedFileIsReplacedByTheDefaults)
{
    const std::vector<std::pair<const char*, std::string>> cases {
        { "four values only", "#FALSE#,#TRUE#,#FALSE#,#FALSE#\r\n" },
        { "integer beyond 16 bits", "#FALSE#,#FALSE#,#FALSE#,#FALSE#,32768\r\n" },
        { "a word for a truth value", "yes,#FALSE#,#FALSE#,#FALSE#,4\r\n" },
        { "a 0-byte file", "" },
        { "only CR LF", "\r\n" },
        { "binary garbage", std::string("\x00\x81\xFF\x7F\x80,,,,", 9) },
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        TempFolder folder;
        folder.write("tapomi.txt", bytes);
        EXPECT_EQ(SettingsFile(folder / "tapomi.txt").Load(), Settings {});
        EXPECT_EQ(folder.read("tapomi.txt"), kDefaultFile);
    }
}

TEST(SettingsFileTest, SavesTheFiveValuesAsOneRecord)
{
    TempFolder folder;
    folder.write("tapomi.txt", kDefaultFile);
    const SettingsFile file(folder / "tapomi.txt");
    file.Save({ kFalse, kTrue, kFalse, kFalse, -5 });
    EXPECT_EQ(folder.read("tapomi.txt"), "#FALSE#,#TRUE#,#FALSE#,#FALSE#,-5\r\n");
    EXPECT_EQ(file.Load(), (Settings { kFalse, kTrue, kFalse, kFalse, -5 }));
}

TEST(SettingsFileTest, AFolderThatCannotTakeTheDefaultsIsReported)
{
    TempFolder folder;
    try {
        SettingsFile(folder / "missing" / "tapomi.txt").Load();
        ADD_FAILURE() << "loaded from a folder that does not exist";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.kind(), DataFileError::Kind::Write);
        EXPECT_EQ(error.path(), folder / "missing" / "tapomi.txt");
    }
}

TEST(SettingsFileTest, AFolderInItsPlaceIsReportedAndLeftAlone)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "tapomi.txt");
    try {
        SettingsFile(folder / "tapomi.txt").Load();
        ADD_FAILURE() << "loaded";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.kind(), DataFileError::Kind::Open);
        EXPECT_EQ(error.path(), folder / "tapomi.txt");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "tapomi.txt"));
    EXPECT_EQ(folder.names(), std::vector<std::string> { "tapomi.txt" });
}

} // namespace
