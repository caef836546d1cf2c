#include "drill/DrillSession.h"
#include "media/EngineSpeechVoice.h"
#include "media/SdlAudioOutput.h"
#include "media/WaveSoundPlayer.h"

#include "EventLog.h"
#include "FakeDataStore.h"
#include "FakeDrillView.h"
#include "FakeMedia.h"
#include "ScopedVariable.h"
#include "ScriptedRandom.h"
#include "TempFolder.h"
#include "UiQueue.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

// The drill with the real sound player on SDL's disk driver: a kana's sound holds the drill until
// it has been played, and a key typed meanwhile, handled only afterwards, meets the key guard.
// And the drill with the real voice whose engines start late.
namespace {

// Says every text as a short tone.
class ToneEngine final : public SpeechEngine
{
public:
    const char* name() const override { return "tone"; }
    bool synthesize(std::u16string_view, const AudioSink& sink, StopSignal&) override
    {
        sink(std::make_shared<const AudioSamples>(960, 2000));
        return true;
    }
};

TEST(DrillSoundTest, KeyTypedDuringAKanaSoundIsDiscardedByTheKeyGuard)
{
    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const ScopedVariable output("SDL_DISKAUDIOFILE", (folder / "device.raw").string());
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

TEST(DrillSoundTest, KeysTypedBeforeTheSpeechEnginesAreReadyMeetAPromptThatHasNotEnded)
{
    std::mutex gateMutex;
    std::condition_variable gateChanged;
    bool open = false;
    AudioMixer mixer; // played out by hand below
    UiQueue queue;
    EngineSpeechVoice speech(
        [&] {
            std::unique_lock lock(gateMutex);
            gateChanged.wait(lock, [&] { return open; });
            EngineSpeechVoice::Engines engines;
            engines.push_back(std::make_unique<ToneEngine>());
            return engines;
        },
        mixer, queue.poster());

    EventLog log;
    ProgramState program;
    FakeDrillView view { log };
    FakeDataStore data { program, log };
    data.pictures = { u"いぬ.jpg" };
    data.settings.ShowSetupPicture = kFalse;
    data.settings.KeyGuardTenths = 0;
    FakeSoundPlayer sound { log };
    ScriptedRandom random;
    DrillSession session { program, view, data, sound, speech, random };
    int completions = 0;
    speech.setDoneHandler([&] {
        ++completions;
        session.PtSvr1_SpeechDone();
    });
    speech.start();
    ASSERT_TRUE(session.Form_Load());
    session.Form_Activate(); // the prompt, handed to a voice that cannot speak yet

    session.Form_KeyPress('e');
    EXPECT_TRUE(session.state().Speaking);
    EXPECT_EQ(session.state().TypedText, u"") << "a key during the prompt is discarded";

    {
        std::lock_guard lock(gateMutex);
        open = true;
    }
    gateChanged.notify_all();
    ASSERT_TRUE(mixer.waitForQueuedEnd(AudioMixer::Voice::Speech, std::chrono::seconds(30)));
    std::vector<std::int16_t> buffer(AudioFormat::kBufferFrames);
    while (mixer.isPlaying(AudioMixer::Voice::Speech, 1))
        mixer.mix(buffer.data(), buffer.size());
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(session.state().Speaking);

    session.Form_KeyPress('e');
    EXPECT_EQ(session.state().TypedText, u"い") << "typing opens with the one completion";
    EXPECT_EQ(queue.size(), 0u);
}

} // namespace
