#include "media/MediaSystem.h"

#include "media/EngineSpeechVoice.h"

#include "ScopedVariable.h"
#include "TempFolder.h"
#include "UiQueue.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

const char* engineOf(MediaSystem& media)
{
    auto* voice = dynamic_cast<EngineSpeechVoice*>(&media.speech());
    return voice ? voice->waitForEngine(std::chrono::seconds(60)) : "not an engine voice";
}

TEST(MediaSystemTest, WithoutAnAudioDeviceEverythingIsSilentButSpeechStillCompletes)
{
    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    wavebytes::write(folder / "あ.wav", wavebytes::native(wavebytes::ramp(48000, 10))); // 1 s
    const ScopedVariable driver("SDL_AUDIODRIVER", "no-such-driver");
    UiQueue queue;
    MediaSystem media(queue.poster(), {});

    int done = 0;
    media.speech().setDoneHandler([&] { ++done; });
    // Asked for before the start: kept until the voice knows it cannot speak.
    media.speech().SpeakText(u"この名前をいれてください");
    media.start();
    EXPECT_EQ(engineOf(media), nullptr) << "no engine is started for a machine without sound";
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 1);

    const auto start = Clock::now();
    media.sound().PlaySound(u"あ.wav");
    media.sound().WaitForSoundEnd();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << "no device: no wait";
    std::filesystem::current_path(previous);
}

TEST(MediaSystemTest, WithADeviceTheBestEngineStartsOnlyWhenAskedTo)
{
    TempFolder folder;
    const ScopedVariable driver("SDL_AUDIODRIVER", "disk");
    const ScopedVariable output("SDL_DISKAUDIOFILE", (folder / "device.raw").string());
    const ScopedVariable htsVoice("TAPOMI_HTSVOICE", (folder / "absent.htsvoice").string());
    UiQueue queue;
    MediaSystem media(queue.poster(), {});
    auto* voice = dynamic_cast<EngineSpeechVoice*>(&media.speech());
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->waitForEngine(std::chrono::milliseconds(0)), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "device.raw")) << "the device waits for start()";

    media.start();
    const char* engine = engineOf(media);
    if (!engine)
        GTEST_SKIP() << "no speech engine is installed";
    EXPECT_STREQ(engine, "espeak-ng") << "a missing voice file means no Open JTalk";
}

} // namespace
