#include "data/DataFolder.h"
#include "data/DataTextFile.h"
#include "data/PictureListing.h"
#include "data/SelectionFile.h"
#include "data/SettingsFile.h"

#include "RecordingWarningBox.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A child process saves the settings and the selection of a folder over and over and is killed
// with SIGKILL at a random moment; after every kill both files must read back, holding what the
// last finished save wrote or what the save cut short was writing, and the next save must leave
// no temporary file behind. TAPOMI_CRASH_ROUNDS sets the number of kills.
namespace {

constexpr int kPictures = 12;

// Written by the child, read by the parent after the kill: which value of each file a save
// had begun, and which one had finished. Shared memory keeps every store the child made.
struct Progress
{
    std::atomic<std::int64_t> settingsBegun { 0 };
    std::atomic<std::int64_t> settingsDone { 0 };
    std::atomic<std::int64_t> selectionBegun { 0 };
    std::atomic<std::int64_t> selectionDone { 0 };
};

Settings settingsFor(std::int64_t n)
{
    const auto bit = [n](int i) { return ((n >> i) & 1) != 0 ? kTrue : kFalse; };
    return { bit(0), bit(1), bit(2), bit(3), static_cast<std::int16_t>(n % 30000) };
}

// Pictures whose bit in n is set are selected.
void selectFor(ProgramState& program, std::int64_t n)
{
    program.DeckCount = 0;
    for (int i = 0; i < kPictures; ++i) {
        if (((n >> i) & 1) != 0)
            program.Deck[static_cast<std::size_t>(program.DeckCount++)] = program.AllPictures[i];
    }
}

std::vector<std::u16string> deckOf(const ProgramState& program)
{
    return { program.Deck.begin(), program.Deck.begin() + program.deckCount() };
}

int roundsWanted()
{
    const char* text = std::getenv("TAPOMI_CRASH_ROUNDS");
    return text != nullptr ? std::atoi(text) : 1000;
}

class CrashSafetyTest : public ::testing::Test
{
protected:
    CrashSafetyTest()
    {
        void* shared = ::mmap(
            nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (shared == MAP_FAILED)
            throw std::runtime_error("no shared memory");
        progress = new (shared) Progress;
        for (int i = 0; i < kPictures; ++i)
            working.write("p" + std::to_string(10 + i) + ".jpg", "x");
        data.LoadSettings();
        data.ListPictures();
        program.settings = settingsFor(0);
        data.SaveSettings();
        selectFor(program, 0);
        data.SaveSelection();
    }
    ~CrashSafetyTest() override { ::munmap(progress, sizeof(Progress)); }

    // The child: saves both files, each time with the next value, until it is killed.
    [[noreturn]] void saveForEver()
    {
        try {
            for (;;) {
                const std::int64_t settings = progress->settingsDone + 1;
                progress->settingsBegun = settings;
                program.settings = settingsFor(settings);
                data.SaveSettings();
                progress->settingsDone = settings;

                const std::int64_t selection = progress->selectionDone + 1;
                progress->selectionBegun = selection;
                selectFor(program, selection);
                data.SaveSelection();
                progress->selectionDone = selection;
            }
        } catch (...) {
            ::_exit(2);
        }
    }

    // Both files load without being rewritten; returns the values they hold, or -1.
    std::int64_t settingsValue()
    {
        const std::string before = working.read("tapomi.txt");
        const Settings loaded = SettingsFile(working / "tapomi.txt").Load();
        EXPECT_EQ(working.read("tapomi.txt"), before) << "a settings file had to be recovered";
        for (const std::int64_t n :
            { progress->settingsDone.load(), progress->settingsBegun.load() })
            if (loaded == settingsFor(n))
                return n;
        return -1;
    }

    std::int64_t selectionValue()
    {
        const std::string before = working.read("Fname.txt");
        ProgramState loaded = program;
        SelectionFile(working / "Fname.txt").Load(loaded);
        EXPECT_EQ(working.read("Fname.txt"), before) << "a selection file had to be rebuilt";
        for (const std::int64_t n :
            { progress->selectionDone.load(), progress->selectionBegun.load() }) {
            ProgramState expected = program;
            selectFor(expected, n);
            if (deckOf(loaded) == deckOf(expected))
                return n;
        }
        return -1;
    }

    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> hidden;
        for (const std::string& name : working.names())
            if (name.front() == '.')
                hidden.push_back(name);
        return hidden;
    }

    TempFolder working;
    ProgramState program;
    RecordingWarningBox warnings;
    DataFolder data { program, warnings, working.path() };
    Progress* progress = nullptr;
};

TEST_F(CrashSafetyTest, EveryKillLeavesBothFilesOldOrNew)
{
    // How long one pass of two saves takes here (of the values already saved), so that the
    // kills land anywhere in it.
    const auto passStart = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) {
        data.SaveSettings();
        data.SaveSelection();
    }
    const auto pass = (std::chrono::steady_clock::now() - passStart) / 5;
    std::mt19937_64 random(std::random_device {}());
    std::uniform_int_distribution<std::int64_t> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(pass).count() * 3 + 100);

    const int rounds = roundsWanted();
    int killedMidSave = 0;
    int leftBehind = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveForEver();
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";

        if (progress->settingsBegun != progress->settingsDone
            || progress->selectionBegun != progress->selectionDone)
            ++killedMidSave;
        if (!leftovers().empty())
            ++leftBehind;
        EXPECT_EQ(PictureListing::List(working.path()).size(), std::size_t { kPictures })
            << "the listing took up a temporary file";

        const std::int64_t settings = settingsValue();
        const std::int64_t selection = selectionValue();
        ASSERT_GE(settings, 0) << "tapomi.txt holds neither the old nor the new settings";
        ASSERT_GE(selection, 0) << "Fname.txt holds neither the old nor the new selection";

        // This process saves what it found: the killed child's temporary files go.
        progress->settingsBegun = progress->settingsDone = settings;
        progress->selectionBegun = progress->selectionDone = selection;
        program.settings = settingsFor(settings);
        data.SaveSettings();
        selectFor(program, selection);
        data.SaveSelection();
        ASSERT_EQ(leftovers(), std::vector<std::string> {});
    }
    std::printf("%d kills, %d in the middle of a save, %d leaving a temporary file; a pass of "
                "two saves took %lld us\n",
        rounds, killedMidSave, leftBehind,
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::microseconds>(pass).count()));
    // Kills that all landed between saves would prove nothing.
    if (rounds >= 100) {
        EXPECT_GT(killedMidSave, rounds / 10);
    }
}

} // namespace
