#include "media/OpenJTalkEngine.h"

#include "common/ProgramFiles.h"
#include "media/StopSignal.h"

#include "ScopedVariable.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

// Open JTalk as this system runs it, with ChildHelper standing in for open_jtalk: the program is
// found, gets file names its narrow fopen can open, and its wave comes back (through the output
// pipe on Linux, through a temporary file on Windows).
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class OpenJTalkProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Names that the ANSI code page of a Western Windows cannot spell.
        fs::create_directories(dictionary);
        std::ofstream(dictionary / "sys.dic") << "x";
        std::ofstream(voice) << "x";
    }

    TempFolder folder;
    const fs::path dictionary = folder / "辞書";
    const fs::path voice = folder / "声.htsvoice";
    const fs::path helper = ProgramFiles::companion(TAPOMI_CHILD_HELPER);
};

TEST_F(OpenJTalkProgramTest, FindsTheProgramByItsPathOrAlongPath)
{
    const ScopedVariable path("PATH", utf8(helper.parent_path()));
    struct Case
    {
        const char* what;
        std::string program;
        bool found;
    };
    const Case cases[] = {
        { "by its path", utf8(helper), true },
        { "by its bare name along PATH, without any .exe", utf8(helper.stem()), true },
        { "a missing file", utf8(folder / "open_jtalk"), false },
        { "a bare name on no folder of PATH", "tapomi-no-such-program", false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            OpenJTalkEngine::create(utf8(voice), c.program, utf8(dictionary)) != nullptr, c.found)
            << c.what;
    }
}

TEST_F(OpenJTalkProgramTest, TheProgramOpensItsFilesAndItsWaveIsHeard)
{
    auto engine = OpenJTalkEngine::create(utf8(voice), utf8(helper), utf8(dictionary));
    ASSERT_TRUE(engine);
    StopSignal stop;
    std::vector<SharedSamples> heard;
    EXPECT_TRUE(engine->synthesize(
        u"あい", [&](SharedSamples s) { heard.push_back(s); }, stop));
    ASSERT_EQ(heard.size(), 1u);
    ASSERT_TRUE(heard[0]);
    // "あい\n" is 7 bytes: 7 samples of 1000, brought back up by 6 dB, after the 20 ms kept of
    // the silence before and with the 0.1 s of silence after.
    AudioSamples expected(960, 0);
    expected.insert(expected.end(), 7, 1995);
    expected.insert(expected.end(), 4800, 0);
    EXPECT_EQ(*heard[0], expected);

    // A voice the program cannot open: it fails, and so does the text.
    fs::remove(voice);
    EXPECT_FALSE(engine->synthesize(
        u"あい", [&](SharedSamples s) { heard.push_back(s); }, stop));
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(OpenJTalkProgramTest, TheVoiceChosenWithTheVariableKeepsItsJapaneseName)
{
    // The folder holds a voice too: the variable comes first.
    const std::string chosen = utf8(folder / "先生の声.htsvoice");
    const ScopedVariable variable("TAPOMI_HTSVOICE", chosen);
    EXPECT_EQ(OpenJTalkEngine::findVoice({ utf8(folder.path()) }), chosen);
}

} // namespace
