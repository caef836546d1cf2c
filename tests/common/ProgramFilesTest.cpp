#include "common/ProgramFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramFilesTest, TheRunningProgramIsFoundWithItsDataBesideItsFolder)
{
    const std::filesystem::path self = ProgramFiles::executable();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(self.is_absolute());
    EXPECT_TRUE(std::filesystem::is_regular_file(self));
    EXPECT_EQ(self.stem(), "tapomi_common_tests");
    EXPECT_EQ(ProgramFiles::dataFolder(), self.parent_path().parent_path() / "share" / "tapomi");
    // A companion shares the program's ending, so the Windows programs find each other's .exe.
    EXPECT_EQ(ProgramFiles::companion("tapomi", "/opt/kana/bin/tapomi-launcher"),
        std::filesystem::path("/opt/kana/bin/tapomi"));
    EXPECT_EQ(ProgramFiles::companion("tapomi", "/opt/kana/bin/tapomi-launcher.exe"),
        std::filesystem::path("/opt/kana/bin/tapomi.exe"));
}

} // namespace
