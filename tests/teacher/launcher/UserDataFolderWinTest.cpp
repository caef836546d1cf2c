#include "teacher/UserDataFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Windows' own place for the user's files: the local application data, which stays on this
// machine even where the roaming profile follows the teacher to others.

namespace {

TEST(UserDataFolderWinTest, KeepsTheWorkingDirectoryAndTheRecordInTheLocalApplicationData)
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    ASSERT_TRUE(local && *local) << "the system names no local application data";
    const std::filesystem::path expected = std::filesystem::path(local) / "tapomi";
    EXPECT_EQ(UserDataFolder::workingDirectory().lexically_normal(), expected.lexically_normal());
    EXPECT_EQ(UserDataFolder::recordFile().lexically_normal(),
        (expected / "records.sqlite").lexically_normal());
}

} // namespace
