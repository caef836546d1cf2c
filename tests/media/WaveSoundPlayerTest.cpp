#include "media/WaveSoundPlayer.h"

#include "media/SdlAudioOutput.h"

#include "ScopedVariable.h"
#include "TempFolder.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>

// Real playback through SDL's disk driver (set by the test's environment): the device writes
// what it is given to a file, in real time, and the tests read that file back.
namespace {

using namespace wavebytes;
using Clock = std::chrono::steady_clock;

class WaveSoundPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.path().empty());
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        output.emplace("SDL_DISKAUDIOFILE", (folder / "device.raw").string());
        device = SdlAudioOutput::open(mixer);
        ASSERT_TRUE(device) << "the disk audio driver did not open";
    }

    void TearDown() override { std::filesystem::current_path(m_previous); }

    // Closes the device and returns every sample it was handed.
    std::vector<std::int16_t> deviceOutput()
    {
        device.reset();
        std::ifstream in(folder / "device.raw", std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char*>(samples.data()));
        return samples;
    }

    static double secondsSince(Clock::time_point start)
    {
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    static std::size_t countNonZero(const std::vector<std::int16_t>& samples)
    {
        return static_cast<std::size_t>(
            std::count_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }));
    }

    TempFolder folder;
    std::optional<ScopedVariable> output;
    AudioMixer mixer;
    std::unique_ptr<SdlAudioOutput> device;
    WaveSoundPlayer player { mixer };

private:
    std::filesystem::path m_previous;
};

TEST_F(WaveSoundPlayerTest, PlaysTheFileSampleForSampleAndWaitsForItsWholeLength)
{
    const std::vector<std::int16_t> sound = ramp(14400, 100); // 0.3 s
    write(folder / "あ.wav", native(sound));

    const auto start = Clock::now();
    player.PlaySound(u"あ.wav");
    player.WaitForSoundEnd();
    EXPECT_GE(secondsSince(start), 0.3);

    const std::vector<std::int16_t> out = deviceOutput();
    const auto first = std::find_if(out.begin(), out.end(), [](std::int16_t s) { return s != 0; });
    ASSERT_GE(out.end() - first, static_cast<std::ptrdiff_t>(sound.size()));
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), first));
    EXPECT_EQ(countNonZero(out), sound.size()) << "nothing else was heard";
}

TEST_F(WaveSoundPlayerTest, TwoSoundsInARowBothPlayWhole)
{
    const std::vector<std::int16_t> kana = ramp(4800, 200);
    const std::vector<std::int16_t> chime = ramp(7200, 5000);
    write(folder / "か.wav", native(kana));
    write(folder / "ピンポン.wav", native(chime));

    player.PlaySound(u"か.wav");
    player.WaitForSoundEnd();
    player.PlaySound(u"ピンポン.wav");
    player.WaitForSoundEnd();

    const std::vector<std::int16_t> out = deviceOutput();
    const auto a = std::search(out.begin(), out.end(), kana.begin(), kana.end());
    ASSERT_NE(a, out.end()) << "the kana was not played whole";
    const auto b = std::search(
        a + static_cast<std::ptrdiff_t>(kana.size()), out.end(), chime.begin(), chime.end());
    ASSERT_NE(b, out.end()) << "the chime was not played whole after the kana";
    EXPECT_EQ(countNonZero(out), kana.size() + chime.size());
}

TEST_F(WaveSoundPlayerTest, MissingBrokenOrFolderNamedFilesAreSilentAndReturnAtOnce)
{
    std::vector<std::uint8_t> truncated = native(ramp(48000, 1));
    truncated.resize(truncated.size() / 2);
    write(folder / "い.wav", truncated);
    std::filesystem::create_directory(folder / "sub");
    write(folder / "sub" / "う.wav", native(ramp(48000, 1)));

    const auto start = Clock::now();
    for (const char16_t* name : { u"ん.wav", u"い.wav", u"sub/う.wav", u"" }) {
        player.PlaySound(name);
        player.WaitForSoundEnd();
    }
    player.StopSound();
    // A real wait would take a second per file; none of them may start the device at all.
    EXPECT_LT(secondsSince(start), 0.5);
    EXPECT_EQ(countNonZero(deviceOutput()), 0u);
}

TEST_F(WaveSoundPlayerTest, StopCutsTheSoundAtOnceAndTheNextSoundStartsAfresh)
{
    write(folder / "ブー.wav", native(ramp(240000, 300))); // 5 s
    const std::vector<std::int16_t> kana = ramp(2400, 9000);
    write(folder / "え.wav", native(kana));

    player.StopSound(); // before any sound: harmless
    const auto start = Clock::now();
    player.PlaySound(u"ブー.wav");
    player.StopSound();
    player.WaitForSoundEnd();
    EXPECT_LT(secondsSince(start), 1.0);

    player.PlaySound(u"え.wav");
    player.WaitForSoundEnd();

    const std::vector<std::int16_t> out = deviceOutput();
    EXPECT_LT(countNonZero(out), kana.size() + 4800u) << "at most a moment of the buzzer";
    EXPECT_NE(std::search(out.begin(), out.end(), kana.begin(), kana.end()), out.end());
}

TEST_F(WaveSoundPlayerTest, DeviceClosesAfterASecondOfSilenceAndReturnsForTheNextSound)
{
    const std::vector<std::int16_t> first = ramp(2400, 700);
    const std::vector<std::int16_t> second = ramp(2400, 1500);
    write(folder / "か.wav", native(first));
    write(folder / "き.wav", native(second));

    player.PlaySound(u"か.wav");
    player.WaitForSoundEnd();
    EXPECT_TRUE(device->isRunning());
    ASSERT_TRUE(device->waitUntilClosed(std::chrono::seconds(10)))
        << "an idle device must stop asking for buffers";
    EXPECT_EQ(device->openCount(), 1u);

    const auto start = Clock::now();
    player.PlaySound(u"き.wav");
    player.WaitForSoundEnd();
    EXPECT_GE(secondsSince(start), 0.05) << "played in real time on the device opened again";
    EXPECT_EQ(device->openCount(), 2u);
    // The disk device starts its file afresh when opened: it holds the second sound only.
    const std::vector<std::int16_t> out = deviceOutput();
    EXPECT_NE(std::search(out.begin(), out.end(), second.begin(), second.end()), out.end());
    EXPECT_EQ(countNonZero(out), second.size());
}

} // namespace
