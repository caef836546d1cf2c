#include "cards/FolderActions.h"

#include "common/Utf8Text.h"

#include "FakeConverter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Linux's own: a folder whose mode forbids writing.

namespace {

using Outcome = FolderActions::Outcome;

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}

// Runs the actions in a folder the running user can't write. Root writes anywhere, so as root
// they run in a child process that has given up root for the nobody user.
TEST(FolderActionsPosixTest, AReadOnlyFolderIsReportedAndLeftAsItIs)
{
    TempFolder folder;
    folder.write(utf8(u"ネコ.jpg"), "cat");
    folder.write(utf8(u"とけい.png"), "PNG");
    ::chmod(folder.path().c_str(), 0555);

    const auto attempt = [&folder]() {
        const FolderActions actions(folder.path(), { KanaKeyboard(true) });
        FakeConverter converter;
        int failures = 0;
        if (actions.Rename(folder / utf8(u"ネコ.jpg"), u"ねこ").outcome != Outcome::FolderReadOnly)
            failures |= 1;
        if (actions.MakeJpegCopy(folder / utf8(u"とけい.png"), u"とけい", converter).outcome
            != Outcome::FolderReadOnly)
            failures |= 2;
        if (actions.SaveCard(u"くま", "bear", false).outcome != Outcome::FolderReadOnly)
            failures |= 4;
        return failures;
    };

    if (::geteuid() != 0) {
        EXPECT_EQ(attempt(), 0);
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped ? attempt() : 100);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 100)
            GTEST_SKIP() << "running as root and unable to become the nobody user, so no folder "
                            "is read-only to this test";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(
        folder.names(), (std::vector<std::string> { utf8(u"とけい.png"), utf8(u"ネコ.jpg") }));
}

} // namespace
