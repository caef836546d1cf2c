#include "cards/FolderReadiness.h"
#include "teacher/Launcher.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

// Linux's own: where the XDG rules put the working directory, and a folder whose mode forbids
// writing.

namespace {

namespace fs = std::filesystem;

TEST(LauncherPosixTest, WorkingDirectoryFollowsXdgDataHomeOnlyWhenItIsAnAbsolutePath)
{
    struct Case
    {
        const char* xdg;
        const char* expected;
    };
    const Case cases[] = {
        { "/data/sensei", "/data/sensei/tapomi" },
        { nullptr, "/home/sensei/.local/share/tapomi" },
        { "", "/home/sensei/.local/share/tapomi" },
        { "relative/data", "/home/sensei/.local/share/tapomi" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Launcher::WorkingDirectory(c.xdg, "/home/sensei"), fs::path(c.expected))
            << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST(LauncherPosixTest, AFolderTheDrillCannotWriteIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file modes do not stop root from writing";
    const TempFolder temp;
    temp.write("ねこ.bmp", "cat");
    EXPECT_EQ(FolderReadiness::Of(temp.path()), FolderReadiness::Problem::None);
    ::chmod(temp.path().c_str(), 0555);
    EXPECT_EQ(FolderReadiness::Of(temp.path()), FolderReadiness::Problem::NotWritable);
    ::chmod(temp.path().c_str(), 0755);
}

} // namespace
