#include "common/ProgramFiles.h"
#include "media/EngineSpeechVoice.h"
#include "media/EspeakEngine.h"
#include "media/OpenJTalkEngine.h"
#include "media/SampleLevel.h"
#include "media/SdlAudioOutput.h"
#include "media/SpeechEngines.h"
#include "media/StopSignal.h"

#include "TempFolder.h"
#include "UiQueue.h"

#include <gtest/gtest.h>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

// The real engines, each when it is installed. Open JTalk speaks with the voice that ships with
// the program, from the source tree.
namespace {

namespace fs = std::filesystem;

const std::u16string kSentence = u"もう一度、やりなおしてね。";

std::string testVoice()
{
    return (fs::path(TAPOMI_SOURCE_DIR) / "assets" / "voice" / "tohoku-f01-neutral.htsvoice")
        .string();
}

AudioSamples synthesize(SpeechEngine& engine, std::u16string_view text, bool& made)
{
    StopSignal stop;
    AudioSamples all;
    made = engine.synthesize(
        text, [&](SharedSamples piece) { all.insert(all.end(), piece->begin(), piece->end()); },
        stop);
    return all;
}

std::string phonemes(const std::string& utf8)
{
    const void* position = utf8.c_str();
    std::string out;
    while (position) {
        const char* part = espeak_TextToPhonemes(&position, espeakCHARS_UTF8, 0);
        if (!part)
            break;
        out += part;
    }
    return out;
}

std::string utf8(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TEST(EspeakEngineTest, SpeaksAKanjiSentenceFromItsKanaReading)
{
    auto engine = EspeakEngine::create(JapaneseReading::create());
    if (!engine)
        GTEST_SKIP() << "espeak-ng with its Japanese voice, or MeCab, is not installed";
    EXPECT_FALSE(EspeakEngine::create(JapaneseReading::create())) << "only one at a time";

    // espeak-ng announces a character it cannot read by its English name ("Chinese letter"),
    // switching to English to do so; the reading it is given must never make it do that.
    EXPECT_NE(phonemes(utf8(u"一度")).find("(en)"), std::string::npos);
    EXPECT_EQ(phonemes(utf8(engine->reading(kSentence))).find("(en)"), std::string::npos);
    EXPECT_EQ(phonemes(utf8(engine->reading(u"この名前をいれてください"))).find("(en)"),
        std::string::npos);

    bool made = false;
    const AudioSamples audio = synthesize(*engine, kSentence, made);
    EXPECT_TRUE(made);
    EXPECT_GT(audio.size(), static_cast<std::size_t>(AudioFormat::kSampleRate / 2));
    EXPECT_LT(audio.size(), static_cast<std::size_t>(AudioFormat::kSampleRate * 10));
    EXPECT_TRUE(std::any_of(audio.begin(), audio.end(), [](std::int16_t s) { return s > 1000; }));

    const AudioSamples nothing = synthesize(*engine, u"齉。", made);
    EXPECT_FALSE(made) << "nothing sayable is no success";
    EXPECT_TRUE(nothing.empty());

    StopSignal stop;
    stop.raise();
    EXPECT_FALSE(engine->synthesize(
        kSentence, [](SharedSamples) {}, stop));
}

TEST(OpenJTalkEngineTest, SpeaksAKanjiSentenceWithTheVoiceFile)
{
    auto engine = OpenJTalkEngine::create(testVoice());
    if (!engine)
        GTEST_SKIP() << "open_jtalk or its naist-jdic dictionary is not installed";

    bool made = false;
    const AudioSamples audio = synthesize(*engine, kSentence, made);
    EXPECT_TRUE(made);
    EXPECT_GT(audio.size(), static_cast<std::size_t>(AudioFormat::kSampleRate / 2));
    EXPECT_TRUE(std::any_of(audio.begin(), audio.end(), [](std::int16_t s) { return s > 1000; }));

    synthesize(*engine, u"   ", made);
    EXPECT_FALSE(made);
}

TEST(OpenJTalkEngineTest, KanaThatTheVoiceWouldClipComeOutWhole)
{
    auto engine = OpenJTalkEngine::create(testVoice());
    if (!engine)
        GTEST_SKIP() << "open_jtalk or its naist-jdic dictionary is not installed";
    const auto peak = [](const AudioSamples& audio) {
        int loudest = 0;
        for (std::int16_t s : audio)
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        return loudest;
    };
    // At the voice's own level these lose a third of their samples to the 16-bit limits.
    for (const std::u16string kana : { u"に", u"じ", u"み" }) {
        bool made = false;
        const AudioSamples audio = synthesize(*engine, kana, made);
        ASSERT_TRUE(made);
        const int loudest = peak(audio);
        EXPECT_LE(loudest, 29200);
        EXPECT_GT(loudest, 20000); // still at full strength
        // A clipped wave has flat tops: many samples at its peak, however it is scaled later.
        const auto atTop = std::count_if(audio.begin(), audio.end(),
            [&](std::int16_t s) { return std::abs(static_cast<int>(s)) >= loudest - 100; });
        EXPECT_LT(atTop, 10);
    }

    // Quieter speech gets its 6 dB back; a loud one stops at -1 dBFS.
    EXPECT_EQ(SampleLevel::scaled(AudioSamples { 1000, -5000, 0 }, 1.9953),
        (AudioSamples { 1995, -9977, 0 }));
    EXPECT_EQ(peak(SampleLevel::scaled(AudioSamples { 20000, -100 }, 1.9953)), 29195);
}

TEST(OpenJTalkEngineTest, MissingOrBrokenVoiceIsNoEngineOrFailsEachText)
{
    TempFolder folder;
    EXPECT_FALSE(OpenJTalkEngine::create((folder / "none.htsvoice").string()));
    EXPECT_FALSE(OpenJTalkEngine::create(""));
    EXPECT_FALSE(OpenJTalkEngine::create(testVoice(), "/nonexistent/open_jtalk"));

    const fs::path broken = folder / "broken.htsvoice";
    std::ofstream(broken) << "not a voice";
    auto engine = OpenJTalkEngine::create(broken.string());
    if (!engine)
        GTEST_SKIP() << "open_jtalk is not installed";
    bool made = true;
    EXPECT_TRUE(synthesize(*engine, kSentence, made).empty());
    EXPECT_FALSE(made);
}

TEST(OpenJTalkEngineTest, LongTextIsMadeSentenceBySentenceWithShortPauses)
{
    EXPECT_EQ(OpenJTalkEngine::sentences(u"よくできました。これが、りんご、だね。"),
        (std::vector<std::u16string> { u"よくできました。", u"これが、りんご、だね。" }));
    EXPECT_EQ(OpenJTalkEngine::sentences(u"すごい！\nやったね"),
        (std::vector<std::u16string> { u"すごい！", u"やったね" }));
    EXPECT_TRUE(OpenJTalkEngine::sentences(u" 。、 ").empty());

    AudioSamples voice(48000, 0);
    for (std::size_t i = 20000; i < 25000; ++i)
        voice[i] = static_cast<std::int16_t>(i % 2 ? 3000 : -3000);
    const SharedSamples cut = OpenJTalkEngine::trimmed(voice);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), 960u + 5000u + 6000u) << "20 ms before, 125 ms after the voice";
    EXPECT_EQ((*cut)[960], -3000);
}

TEST(OpenJTalkEngineTest, FindsTheVoiceFromTheVariableOrTheFirstFolderHoldingOne)
{
    TempFolder folder;
    fs::create_directories(folder / "a" / "mei");
    std::ofstream(folder / "a" / "mei" / "mei_angry.htsvoice") << "x";
    std::ofstream(folder / "a" / "mei" / "mei_normal.htsvoice") << "x";
    std::ofstream(folder / "a" / "readme.txt") << "x";
    fs::create_directories(folder / "beside");
    std::ofstream(folder / "beside" / "tohoku-happy.htsvoice") << "x";

    ::unsetenv("TAPOMI_HTSVOICE");
    EXPECT_EQ(OpenJTalkEngine::findVoice({ (folder / "none").string(), (folder / "a").string() }),
        (folder / "a" / "mei" / "mei_normal.htsvoice").string());
    // An earlier folder wins even over a plainer voice further down.
    EXPECT_EQ(OpenJTalkEngine::findVoice({ (folder / "beside").string(), (folder / "a").string() }),
        (folder / "beside" / "tohoku-happy.htsvoice").string());
    EXPECT_EQ(OpenJTalkEngine::findVoice({ (folder / "none").string() }), "");
    ::setenv("TAPOMI_HTSVOICE", "/home/teacher/voice.htsvoice", 1);
    EXPECT_EQ(
        OpenJTalkEngine::findVoice({ (folder / "a").string() }), "/home/teacher/voice.htsvoice");
    ::unsetenv("TAPOMI_HTSVOICE");

    // The voice installed with the program comes before the system's.
    const std::vector<std::string> folders = OpenJTalkEngine::voiceFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(fs::path(folders[0]), ProgramFiles::dataFolder() / "voice");
    EXPECT_EQ(folders[1], "/usr/share/hts-voice");
}

TEST(SpeechEnginesTest, ChoosesOpenJTalkFirstThenEspeakThenNone)
{
    SpeechEngines::Places none;
    none.htsVoice.clear();
    none.mecabDictionary.clear();
    EXPECT_TRUE(SpeechEngines::available(none).empty());

    SpeechEngines::Places all;
    all.htsVoice = testVoice();
    const auto engines = SpeechEngines::available(all);
    if (engines.size() < 2)
        GTEST_SKIP() << "not every engine is installed";
    EXPECT_STREQ(engines[0]->name(), "Open JTalk");
    EXPECT_STREQ(engines[1]->name(), "espeak-ng");
}

// Through the voice and the disk audio device: each installed engine is heard and completes once.
class SpokenSentenceTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(SpokenSentenceTest, KanjiSentenceIsHeardAndCompletesOnce)
{
    const bool openJTalk = GetParam();
    SpeechEngines::Places places;
    places.htsVoice = openJTalk ? testVoice() : std::string();
    auto engines = SpeechEngines::available(places);
    if (engines.empty() || (openJTalk && std::string(engines[0]->name()) != "Open JTalk"))
        GTEST_SKIP() << "the engine is not installed";

    TempFolder folder;
    ::setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);
    AudioMixer mixer;
    auto device = SdlAudioOutput::open(mixer);
    ASSERT_TRUE(device);
    UiQueue queue;
    int done = 0;
    {
        EngineSpeechVoice voice(std::move(engines), mixer, queue.poster());
        voice.setDoneHandler([&] { ++done; });
        voice.SpeakText(kSentence);
        ASSERT_TRUE(queue.waitForPost());
        queue.run();
        EXPECT_EQ(done, 1);
    }
    device.reset();
    EXPECT_EQ(queue.size(), 0u) << "no second report";

    std::ifstream in(folder / "device.raw", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::int16_t> out(bytes.size() / 2);
    std::copy_n(bytes.data(), out.size() * 2, reinterpret_cast<char*>(out.data()));
    const auto loud = std::count_if(out.begin(), out.end(), [](std::int16_t s) { return s > 500; });
    EXPECT_GT(loud, 1000) << "the sentence reached the device";
}

INSTANTIATE_TEST_SUITE_P(Engines, SpokenSentenceTest, ::testing::Values(true, false),
    [](const auto& instance) { return instance.param ? "OpenJTalk" : "Espeak"; });

} // namespace
