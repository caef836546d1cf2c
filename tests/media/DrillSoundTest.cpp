#include "drill/DrillSession.h"
#include "media/SdlAudioOutput.h"
#include "media/WaveSoundPlayer.h"

#include "EventLog.h"
#include "FakeDataStore.h"
#include "FakeDrillView.h"
#include "FakeMedia.h"
#include "ScriptedRandom.h"
#include "TempFolder.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

// The drill with the real sound player on SDL's disk driver: a kana's sound holds the drill until
// it has been played, and a key typed meanwhile, handled only afterwards, meets the key guard.
namespace {

TEST(DrillSoundTest, KeyTypedDuringAKanaSoundIsDiscardedByTheKeyGuard)
{
    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ::setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);
    wavebytes::write(folder / "い.wav", wavebytes::native(wavebytes::ramp(9600, 10))); // 0.2 s

    AudioMixer mixer;
    auto device = SdlAudioOutput::open(mixer);
    ASSERT_TRUE(device);
    WaveSoundPlayer sound(mixer);

    EventLog log;
    ProgramState program;
    FakeDrillView view { log };
    FakeDataStore data { program, log };
    data.pictures = { u"いぬ.jpg" };
    data.settings.ShowSetupPicture = kFalse;
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    DrillSession session { program, view, data, sound, speech, random };
    speech.setDoneHandler([&] { session.PtSvr1_SpeechDone(); });
    ASSERT_TRUE(session.Form_Load());
    session.Form_Activate();
    speech.finish();

    const auto start = std::chrono::steady_clock::now();
    session.Form_KeyPress('e'); // い, heard to its end before the handler returns
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(session.state().TypedText, u"い");
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2));

    session.Form_KeyPress('1'); // ぬ, typed while い sounded and delivered only now
    EXPECT_EQ(session.state().TypedText, u"い");

    session.Timer2_Timer();
    session.Form_KeyPress('1');
    EXPECT_EQ(session.state().TypedText, u"いぬ") << "after the guard, keys count again";
    std::filesystem::current_path(previous);
}

} // namespace
