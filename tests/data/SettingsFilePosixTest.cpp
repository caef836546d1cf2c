#include "data/SettingsFile.h"

#include "data/DataFileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

// What can stand under the settings file's name on Linux alone: a pipe, a link to a device.

namespace {

struct UnreadableCase
{
    const char* what;
    std::function<void(const std::filesystem::path&)> make;
    DataFileError::Kind kind;
    std::filesystem::file_type type;
};

TEST(SettingsFileTest, APipeOrADeviceThatCannotBeReadIsReportedAndLeftAlone)
{
    const std::vector<UnreadableCase> cases {
        { "a pipe in its place", [](const std::filesystem::path& p) { ::mkfifo(p.c_str(), 0600); },
            DataFileError::Kind::Open, std::filesystem::file_type::fifo },
        // Opens as a plain file, and every read of it fails with an I/O error.
        { "a device error while reading",
            [](const std::filesystem::path& p) {
                std::filesystem::create_symlink("/proc/self/mem", p);
            },
            DataFileError::Kind::Io, std::filesystem::file_type::symlink },
    };
    for (const UnreadableCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        c.make(folder / "tapomi.txt");
        try {
            SettingsFile(folder / "tapomi.txt").Load();
            ADD_FAILURE() << "loaded";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.kind(), c.kind);
            EXPECT_EQ(error.path(), folder / "tapomi.txt");
        }
        EXPECT_EQ(std::filesystem::symlink_status(folder / "tapomi.txt").type(), c.type);
        EXPECT_EQ(folder.names(), std::vector<std::string> { "tapomi.txt" });
    }
}

} // namespace
