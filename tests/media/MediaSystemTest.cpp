#include "media/MediaSystem.h"

#include "media/EngineSpeechVoice.h"
#include "media/SilentSoundPlayer.h"
#include "media/SilentSpeechVoice.h"
#include "media/WaveSoundPlayer.h"

#include "TempFolder.h"
#include "UiQueue.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(MediaSystemTest, WithoutAnAudioDeviceEverythingIsSilentButSpeechStillCompletes)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    UiQueue queue;
    MediaSystem media(queue.poster());
    EXPECT_NE(dynamic_cast<SilentSoundPlayer*>(&media.sound()), nullptr);
    ASSERT_NE(dynamic_cast<SilentSpeechVoice*>(&media.speech()), nullptr);

    int done = 0;
    media.speech().setDoneHandler([&] { ++done; });
    media.speech().SpeakText(u"この名前をいれてください");
    media.sound().PlaySound(u"あ.wav");
    media.sound().WaitForSoundEnd();
    queue.run();
    EXPECT_EQ(done, 1);
}

TEST(MediaSystemTest, WithADeviceTheRealPlayerAndTheBestEngineAreChosen)
{
    TempFolder folder;
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);
    ::setenv("TAPOMI_HTSVOICE", (folder / "absent.htsvoice").c_str(), 1);
    UiQueue queue;
    MediaSystem media(queue.poster());
    EXPECT_NE(dynamic_cast<WaveSoundPlayer*>(&media.sound()), nullptr);
    auto* voice = dynamic_cast<EngineSpeechVoice*>(&media.speech());
    if (!voice)
        GTEST_SKIP() << "no speech engine is installed";
    EXPECT_STREQ(voice->engine().name(), "espeak-ng") << "a missing voice file means no Open JTalk";
}

} // namespace
