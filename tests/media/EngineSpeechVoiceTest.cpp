#include "media/EngineSpeechVoice.h"

#include "media/StopSignal.h"

#include "UiQueue.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using Voice = AudioMixer::Voice;

// An engine whose "audio" for a text is a run of one value, so the device output tells which
// text is heard. It can be told to fail, with or without having said something first.
class FakeEngine final : public SpeechEngine
{
public:
    FakeEngine(std::int16_t value, std::size_t length)
        : m_value(value)
        , m_length(length)
    { }

    const char* name() const override { return "fake"; }
    bool synthesize(std::u16string_view text, const AudioSink& sink, StopSignal&) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_texts.emplace_back(text);
        }
        if (failSilently || text.empty())
            return false;
        sink(std::make_shared<const AudioSamples>(m_length / 2, m_value));
        sink(std::make_shared<const AudioSamples>(m_length - m_length / 2, m_value));
        return !failAfterSpeaking;
    }
    std::vector<std::u16string> texts()
    {
        std::lock_guard lock(m_mutex);
        return m_texts;
    }

    bool failSilently = false;
    bool failAfterSpeaking = false;

private:
    std::int16_t m_value;
    std::size_t m_length;
    std::mutex m_mutex;
    std::vector<std::u16string> m_texts;
};

class EngineSpeechVoiceTest : public ::testing::Test
{
protected:
    void makeVoice(
        std::vector<std::unique_ptr<SpeechEngine>> engines, std::vector<std::u16string> warmUp = {})
    {
        voice = std::make_unique<EngineSpeechVoice>(
            std::move(engines), mixer, queue.poster(), std::move(warmUp));
        voice->setDoneHandler([this] { ++done; });
    }

    // Plays out, as the device would, everything the speech thread has queued, and returns the
    // samples that were heard.
    std::vector<std::int16_t> playQueued()
    {
        EXPECT_TRUE(mixer.waitForQueuedEnd(Voice::Speech, std::chrono::seconds(30)));
        std::vector<std::int16_t> heard;
        std::vector<std::int16_t> buffer(AudioFormat::kBufferFrames);
        while (mixer.isPlaying(Voice::Speech, latestTicket())) {
            mixer.mix(buffer.data(), buffer.size());
            heard.insert(heard.end(), buffer.begin(), buffer.end());
        }
        return heard;
    }

    // The tickets are the voice's text numbers; the test follows them by counting its calls.
    std::uint64_t latestTicket() const { return calls; }
    void speak(std::u16string_view text)
    {
        ++calls;
        voice->SpeakText(text);
    }
    void stop()
    {
        ++calls;
        voice->StopSpeech();
    }

    static std::size_t count(const std::vector<std::int16_t>& samples, std::int16_t value)
    {
        return static_cast<std::size_t>(std::count(samples.begin(), samples.end(), value));
    }

    AudioMixer mixer;
    UiQueue queue;
    std::unique_ptr<EngineSpeechVoice> voice;
    int done = 0;
    std::uint64_t calls = 0;
};

TEST_F(EngineSpeechVoiceTest, ReportsOnceAfterTheTextHasBeenHeardAndNeverInline)
{
    auto engine = std::make_unique<FakeEngine>(700, 1000);
    FakeEngine& fake = *engine;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::move(engine));
    makeVoice(std::move(engines));

    speak(u"いぬ、と、いれてください");
    EXPECT_EQ(done, 0);
    ASSERT_TRUE(mixer.waitForQueuedEnd(Voice::Speech, std::chrono::seconds(30)));
    EXPECT_EQ(queue.size(), 0u) << "reported before the text was heard";

    const std::vector<std::int16_t> heard = playQueued();
    EXPECT_EQ(count(heard, 700), 1000u);
    ASSERT_TRUE(queue.waitForPost());
    EXPECT_EQ(done, 0) << "the report runs only from the event queue";
    queue.run();
    EXPECT_EQ(done, 1);

    // The same text again is heard from the cache, without the engine.
    speak(u"いぬ、と、いれてください");
    EXPECT_EQ(count(playQueued(), 700), 1000u);
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(fake.texts().size(), 1u);
    EXPECT_EQ(voice->synthesisCount(), 1u);
}

TEST_F(EngineSpeechVoiceTest, TextThatCannotBeSpokenStillCompletesAndTheNextEngineTakesOver)
{
    auto failing = std::make_unique<FakeEngine>(100, 500);
    failing->failSilently = true;
    FakeEngine& first = *failing;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::move(failing));
    engines.push_back(std::make_unique<FakeEngine>(200, 300));
    makeVoice(std::move(engines));

    speak(u"もう一度、やりなおしてね。");
    const std::vector<std::int16_t> heard = playQueued();
    EXPECT_EQ(count(heard, 200), 300u) << "the second engine speaks when the first fails";
    EXPECT_EQ(count(heard, 100), 0u);
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 1);

    // Nothing can say an empty text: it completes all the same, in silence, without the device.
    speak(u"");
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(first.texts().size(), 2u);
}

TEST_F(EngineSpeechVoiceTest, EngineThatFailsHalfWayIsNotRepeatedAndNotCached)
{
    auto engine = std::make_unique<FakeEngine>(300, 400);
    engine->failAfterSpeaking = true;
    FakeEngine& fake = *engine;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::move(engine));
    engines.push_back(std::make_unique<FakeEngine>(900, 400));
    makeVoice(std::move(engines));

    for (int round = 1; round <= 2; ++round) {
        speak(u"おおきな、かぶ");
        const std::vector<std::int16_t> heard = playQueued();
        EXPECT_EQ(count(heard, 300), 400u);
        EXPECT_EQ(count(heard, 900), 0u) << "the sentence is not said twice by two voices";
        ASSERT_TRUE(queue.waitForPost());
        queue.run();
        EXPECT_EQ(done, round);
    }
    EXPECT_EQ(fake.texts().size(), 2u) << "a broken result is made again, not cached";
}

TEST_F(EngineSpeechVoiceTest, NewerTextOrStopSilencesTheOlderWhichNeverReports)
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FakeEngine>(400, 4800));
    makeVoice(std::move(engines));

    speak(u"ひとつめ");
    ASSERT_TRUE(mixer.waitForQueuedEnd(Voice::Speech, std::chrono::seconds(30)));
    std::vector<std::int16_t> buffer(AudioFormat::kBufferFrames);
    mixer.mix(buffer.data(), buffer.size());
    EXPECT_EQ(count(buffer, 400), buffer.size());

    // The newer text's own audio may already be queued (it has the same value), so the cut is
    // seen on the older stream itself.
    speak(u"ふたつめ");
    EXPECT_FALSE(mixer.isPlaying(Voice::Speech, 1)) << "the first text is cut at once";
    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 1) << "one report, for the newer text only";

    speak(u"みっつめ");
    ASSERT_TRUE(mixer.waitForQueuedEnd(Voice::Speech, std::chrono::seconds(30)));
    stop();
    mixer.mix(buffer.data(), buffer.size());
    EXPECT_EQ(count(buffer, 400), 0u) << "StopSpeech silences at once";

    speak(u"よっつめ");
    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 2) << "the stopped text never reported";
}

TEST_F(EngineSpeechVoiceTest, ReportQueuedForAnOlderTextIsDroppedWhenItArrives)
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FakeEngine>(500, 100));
    makeVoice(std::move(engines));

    speak(u"さいしょ");
    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    // The report waits in the queue while the drill, activated again, speaks the next prompt.
    speak(u"つぎ");
    queue.run();
    EXPECT_EQ(done, 0);

    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 1);

    // A report that outlives the voice does nothing.
    speak(u"おわり");
    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    voice.reset();
    queue.run();
    EXPECT_EQ(done, 1);
}

TEST_F(EngineSpeechVoiceTest, FixedSentencesAreMadeAheadAndStartFromTheCache)
{
    auto engine = std::make_unique<FakeEngine>(600, 200);
    FakeEngine& fake = *engine;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::move(engine));
    makeVoice(std::move(engines), { u"もう一度、やりなおしてね。" });

    speak(u"りんご、と、いれてください");
    playQueued();
    ASSERT_TRUE(queue.waitForPost());
    queue.run();

    speak(u"もう一度、やりなおしてね。");
    EXPECT_EQ(count(playQueued(), 600), 200u);
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 2);
    const auto texts = fake.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"もう一度、やりなおしてね。"), 1);
}

// Engines that start on the speech thread: texts asked for before they are ready wait, and the
// latest of them is spoken and reported once; a text stopped meanwhile never is.
TEST_F(EngineSpeechVoiceTest, TextsAskedForWhileTheEnginesStartWaitForThem)
{
    std::mutex gateMutex;
    std::condition_variable gateChanged;
    bool open = false;
    FakeEngine* fake = nullptr;
    voice = std::make_unique<EngineSpeechVoice>(
        [&] {
            std::unique_lock lock(gateMutex);
            gateChanged.wait(lock, [&] { return open; });
            auto engine = std::make_unique<FakeEngine>(800, 300);
            fake = engine.get();
            EngineSpeechVoice::Engines engines;
            engines.push_back(std::move(engine));
            return engines;
        },
        mixer, queue.poster());
    voice->setDoneHandler([this] { ++done; });
    voice->start();

    speak(u"いぬ、と、いれてください");
    stop();
    speak(u"ねこ、と、いれてください");
    speak(u"くま、と、いれてください");
    EXPECT_EQ(queue.size(), 0u);
    EXPECT_EQ(done, 0);
    {
        std::lock_guard lock(gateMutex);
        open = true;
    }
    gateChanged.notify_all();
    EXPECT_STREQ(voice->waitForEngine(std::chrono::seconds(30)), "fake");

    EXPECT_EQ(count(playQueued(), 800), 300u);
    ASSERT_TRUE(queue.waitForPost());
    queue.run();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(fake->texts(), std::vector<std::u16string> { u"くま、と、いれてください" });
}

// No engine could start (or there is no device): every text is still reported once, through the
// queue and never from inside SpeakText; one stopped or superseded is not.
TEST_F(EngineSpeechVoiceTest, WithoutAnEngineEachTextIsReportedOnceUnheard)
{
    makeVoice({}, { u"もう一度、やりなおしてね。" });
    EXPECT_EQ(voice->waitForEngine(std::chrono::seconds(30)), nullptr);

    // Runs the queue as the event loop would until a report has been handled.
    const auto runUntilReported = [&] {
        const int before = done;
        while (done == before && queue.waitForPost())
            queue.run();
    };
    speak(u"いぬ、と、いれてください");
    EXPECT_EQ(done, 0);
    runUntilReported();
    EXPECT_EQ(done, 1);

    speak(u"ひとつめ");
    speak(u"ふたつめ");
    speak(u"とめる");
    stop();
    speak(u"");
    runUntilReported();
    // Reports are posted in order: once this one has run, any earlier one has run too.
    speak(u"さいご");
    runUntilReported();
    EXPECT_EQ(done, 3) << "one report for the latest text of each round, none for the others";
}

} // namespace
