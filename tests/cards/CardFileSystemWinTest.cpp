#include "cards/CardFileSystem.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Windows' own renaming: MoveFileExW refuses a taken name by itself, and on a file system that
// ignores case a new spelling of the same name is the file itself, not another one.

namespace {

using Failure = CardFileSystem::Failure;

TEST(CardFileSystemWinTest, RenamesWithoutReplacingAndRespellsANameInPlace)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files; // name, bytes
        std::string from;
        std::string to;
        Failure failure;
        std::vector<std::string> namesAfter;
        std::string bytesOfTo;
    };
    const Case cases[] = {
        { "to a free name", { { "Ringo.jpg", "apple" } }, "Ringo.jpg", "りんご.jpg", Failure::None,
            { "りんご.jpg" }, "apple" },
        { "onto another file", { { "Ringo.jpg", "apple" }, { "りんご.jpg", "kept" } }, "Ringo.jpg",
            "りんご.jpg", Failure::Exists, { "Ringo.jpg", "りんご.jpg" }, "kept" },
        { "onto another file that differs in case",
            { { "Ringo.jpg", "apple" }, { "Ringo.JPEG", "kept" } }, "Ringo.jpg", "RINGO.jpeg",
            Failure::Exists, { "Ringo.JPEG", "Ringo.jpg" }, "kept" },
        { "to a new spelling of its own name", { { "Ringo.jpg", "apple" } }, "Ringo.jpg",
            "ringo.jpg", Failure::None, { "ringo.jpg" }, "apple" },
        { "from a name that is not there", { { "Ringo.jpg", "apple" } }, "Mikan.jpg", "mikan.jpg",
            Failure::Other, { "Ringo.jpg" }, "" },
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        for (const auto& [name, bytes] : c.files)
            folder.write(name, bytes);
        const CardFileSystem::Status status
            = CardFileSystem::RenameNoReplace(folder / c.from, folder / c.to);
        EXPECT_EQ(status.failure, c.failure) << c.what;
        EXPECT_EQ(status.reason.empty(), c.failure != Failure::Other) << c.what;
        EXPECT_EQ(folder.names(), c.namesAfter) << c.what;
        if (!c.bytesOfTo.empty()) {
            EXPECT_EQ(folder.read(c.to), c.bytesOfTo) << c.what;
        }
    }
}

} // namespace
