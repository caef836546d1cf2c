#include "media/ChildProcess.h"

#include "common/ProgramFiles.h"
#include "media/StopSignal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// The child is ChildHelper, built beside the tests, so that the same cases run on every system.
namespace {

using namespace std::chrono_literals;

std::string helper()
{
    const std::u8string path = ProgramFiles::companion(TAPOMI_CHILD_HELPER).u8string();
    return std::string(path.begin(), path.end());
}

TEST(ChildProcessTest, GivesTheOutputOfAChildThatSucceedsAndNothingOtherwise)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> argv;
        std::string input;
        std::optional<std::string> output;
    };
    const std::string big(1 << 20, 'x');
    const std::string child = helper();
    const Case cases[] = {
        { "the input comes back", { child, "cat" }, "こんにちは\n", "こんにちは\n" },
        { "larger than any pipe buffer both ways at once", { child, "cat" }, big, big },
        { "arguments arrive as they were given, never read by a shell",
            { child, "args", "two words", "say \"hi\"", "back\\slash\\", "end\\\\\"q", "",
                "日本語 の 名前", "tab\there", "$HOME;", "`id`", "%PATH%" },
            "",
            "[two words]\n[say \"hi\"]\n[back\\slash\\]\n[end\\\\\"q]\n[]\n[日本語 の 名前]\n"
            "[tab\there]\n[$HOME;]\n[`id`]\n[%PATH%]\n" },
        { "a child that ends without reading its input", { child, "exit", "0" }, big, "" },
        { "a child that fails", { child, "exit", "3" }, "", std::nullopt },
        { "a child that fails without reading its input", { child, "exit", "3" }, big,
            std::nullopt },
        { "a child that crashes after some output", { child, "crash" }, "", std::nullopt },
        { "output past the limit", { child, "flood", "33" }, "", std::nullopt },
        { "a missing program", { "/nonexistent/open_jtalk" }, "あ\n", std::nullopt },
        { "no program at all", {}, "", std::nullopt },
    };
    for (const Case& c : cases) {
        const std::optional<std::string> output = ChildProcess::run(c.argv, c.input, nullptr, 30s);
        EXPECT_EQ(output.has_value(), c.output.has_value()) << c.what;
        if (output && c.output) {
            EXPECT_EQ(*output, *c.output) << c.what;
        }
    }
}

TEST(ChildProcessTest, StopAndTimeLimitEndAChildThatHangs)
{
    const std::string child = helper();
    StopSignal stop;
    const auto start = std::chrono::steady_clock::now();
    std::thread stopper([&] { stop.raise(); });
    const auto stopped = ChildProcess::run({ child, "hang" }, "", &stop, 60s);
    stopper.join();
    EXPECT_FALSE(stopped);

    stop.reset();
    EXPECT_FALSE(ChildProcess::run({ child, "hang" }, "", &stop, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "the child was left to run";

    // Once reset for the next text, the signal of the last one does not stop it.
    stop.raise();
    stop.reset();
    const auto after = ChildProcess::run({ child, "cat" }, "つぎ", &stop, 10s);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "つぎ");
}

} // namespace
