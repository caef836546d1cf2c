#include "common/ProgramFiles.h"
#include "data/PathText.h"
#include "media/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace {

using namespace std::chrono_literals;

// What the caller of a program sees at its end: its status (a failing test program must not pass
// for one that succeeded) and all it wrote, even what was still in its buffers.
TEST(ProgramExitTest, TheCallerGetsTheStatusAndEverythingWritten)
{
    const std::string child
        = PathText::utf8(ProgramFiles::companion("tapomi_program_exit_child"));
    EXPECT_EQ(ChildProcess::run({ child, "0" }, "", nullptr, 60s),
        std::optional<std::string>("ended with 0"));
    // Any other status is a failure, whose output the runner drops.
    EXPECT_EQ(ChildProcess::run({ child, "3" }, "", nullptr, 60s), std::nullopt);
}

} // namespace
