#include "media/ChildProcess.h"

#include "media/StopSignal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(ChildProcessTest, FeedsTheInputAndCollectsTheOutput)
{
    const auto echoed = ChildProcess::run({ "cat" }, "こんにちは\n", nullptr, 10s);
    ASSERT_TRUE(echoed);
    EXPECT_EQ(*echoed, "こんにちは\n");

    // Larger than any pipe buffer in both directions at once.
    const std::string big(1 << 20, 'x');
    const auto copied = ChildProcess::run({ "cat" }, big, nullptr, 30s);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->size(), big.size());

    // Arguments are passed as they are, never read by a shell.
    const auto literal = ChildProcess::run({ "echo", "$HOME;", "`id`" }, "", nullptr, 10s);
    ASSERT_TRUE(literal);
    EXPECT_EQ(*literal, "$HOME; `id`\n");
}

TEST(ChildProcessTest, FailingCrashingOrMissingChildGivesNothing)
{
    EXPECT_FALSE(ChildProcess::run({ "false" }, "", nullptr, 10s));
    EXPECT_FALSE(ChildProcess::run({ "/nonexistent/open_jtalk" }, "あ\n", nullptr, 10s));
    EXPECT_FALSE(ChildProcess::run({ "sh", "-c", "echo partial; kill -9 $$" }, "", nullptr, 10s));
    // A child that dies without reading its input does not take the program with it.
    EXPECT_FALSE(
        ChildProcess::run({ "sh", "-c", "exit 3" }, std::string(1 << 20, 'y'), nullptr, 10s));
    EXPECT_FALSE(ChildProcess::run({}, "", nullptr, 10s));
}

TEST(ChildProcessTest, StopAndTimeLimitEndAChildThatHangs)
{
    StopSignal stop;
    const auto start = std::chrono::steady_clock::now();
    std::thread stopper([&] { stop.raise(); });
    const auto stopped = ChildProcess::run({ "sleep", "60" }, "", &stop, 60s);
    stopper.join();
    EXPECT_FALSE(stopped);

    stop.reset();
    EXPECT_FALSE(ChildProcess::run({ "sleep", "60" }, "", &stop, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "the child was left to run";

    // Once reset for the next text, the signal of the last one does not stop it.
    stop.raise();
    stop.reset();
    const auto after = ChildProcess::run({ "cat" }, "つぎ", &stop, 10s);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "つぎ");
}

} // namespace
