#include "VoicePack.h"
#include "WaveWriter.h"

#include "data/PathText.h"
#include "media/SpeechEngine.h"
#include "media/WaveDecoder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

// Says every text as a burst of tone between stretches of silence, as real engines do.
class ToneEngine final : public SpeechEngine
{
public:
    const char* name() const override { return "tone"; }
    bool synthesize(std::u16string_view text, const AudioSink& sink, StopSignal&) override
    {
        texts.emplace_back(text);
        AudioSamples samples(4800, 0);
        for (int i = 0; i < 2400; ++i)
            samples.push_back(static_cast<std::int16_t>(i % 2 ? 5000 : -5000));
        samples.insert(samples.end(), 9600, 0);
        sink(std::make_shared<const AudioSamples>(std::move(samples)));
        return true;
    }
    std::vector<std::u16string> texts;
};

// Zero crossings per second, twice the frequency of a plain tone.
double crossingRate(const AudioSamples& samples, std::size_t from, std::size_t to)
{
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    return crossings * AudioFormat::kSampleRate / static_cast<double>(to - from);
}

TEST(VoicePackTest, CoversEveryKanaTheDrillCanAskForWithReadableForms)
{
    const auto entries = VoicePack::kanaEntries();
    ASSERT_EQ(entries.size(), 76u);
    std::set<std::u16string> names;
    for (const auto& entry : entries)
        names.insert(entry.kana);
    EXPECT_EQ(names.size(), 76u);
    for (const char16_t* kana : { u"あ", u"ん", u"が", u"ぢ", u"ぱ", u"ぽ", u"ゃ", u"ー", u"を" })
        EXPECT_TRUE(names.count(kana)) << "missing a kana";
    EXPECT_FALSE(names.count(u"ぁ"));

    const auto spoken = [&](const std::u16string& kana) {
        for (const auto& entry : entries) {
            if (entry.kana == kana)
                return entry.spoken;
        }
        return std::u16string();
    };
    EXPECT_EQ(spoken(u"っ"), u"ちいさいつ");
    EXPECT_EQ(spoken(u"ー"), u"のばすぼう");
    EXPECT_EQ(spoken(u"ゃ"), u"ちいさいや");
    EXPECT_EQ(spoken(u"ょ"), u"ちいさいよ");
    EXPECT_EQ(spoken(u"は"), u"ハ") << "not read as the particle わ";
    EXPECT_EQ(spoken(u"へ"), u"ヘ");
}

TEST(VoicePackTest, ChimeIsBrightAndFallingAndBuzzerIsLow)
{
    const AudioSamples chime = VoicePack::chime();
    ASSERT_GT(chime.size(), 24000u);
    const double first = crossingRate(chime, 0, 9600);
    const double second = crossingRate(chime, 16800, 26400);
    EXPECT_NEAR(first / 2, 1318.5, 80);
    EXPECT_NEAR(second / 2, 1046.5, 80) << "the second tone is lower: ピン、ポン";

    const AudioSamples buzzer = VoicePack::buzzer();
    ASSERT_GT(buzzer.size(), 24000u);
    EXPECT_LT(crossingRate(buzzer, 4800, 28800) / 2, 400);
    EXPECT_GT(*std::max_element(buzzer.begin(), buzzer.end()), 8000);
}

TEST(VoicePackTest, WritesEveryFileAndKeepsTheTeachersOwn)
{
    TempFolder folder;
    const fs::path dir = folder / "sounds";
    ToneEngine engine;

    std::vector<int> done;
    VoicePack::Outcome outcome = VoicePack::build(dir, &engine, false, [&](int n, int total) {
        EXPECT_EQ(total, 78);
        done.push_back(n);
    });
    ASSERT_EQ(done.size(), 78u) << "one report per file";
    EXPECT_EQ(done.front(), 1);
    EXPECT_EQ(done.back(), 78);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(outcome.written, 78);
    EXPECT_EQ(outcome.failed, 0);
    const SharedSamples kana = WaveDecoder::decodeFile(PathText::utf8(dir / u8"か.wav"));
    ASSERT_TRUE(kana);
    EXPECT_LT(kana->size(), 4800u) << "the engine's silence is cut off";
    EXPECT_GE(kana->size(), 2400u);
    ASSERT_TRUE(WaveDecoder::decodeFile(PathText::utf8(dir / u8"ピンポン.wav")));
    ASSERT_TRUE(WaveDecoder::decodeFile(PathText::utf8(dir / u8"ブー.wav")));
    EXPECT_EQ(std::count(engine.texts.begin(), engine.texts.end(), u"ちいさいつ"), 1);

    // A teacher's recording stays, unless overwriting is asked for.
    std::ofstream(dir / u8"あ.wav", std::ios::binary) << "teacher";
    outcome = VoicePack::build(dir, &engine, false);
    EXPECT_EQ(outcome.kept, 78);
    EXPECT_EQ(outcome.written, 0);
    {
        // Closed before the overwrite: Windows replaces no file that is open.
        std::ifstream in(dir / u8"あ.wav", std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "teacher");
    }

    outcome = VoicePack::build(dir, &engine, true);
    EXPECT_EQ(outcome.written, 78);
    EXPECT_TRUE(WaveDecoder::decodeFile(PathText::utf8(dir / u8"あ.wav")));

    // Without an engine the two judgement sounds are still made, and the kana count as failed.
    outcome = VoicePack::build(folder / "plain", nullptr, false);
    EXPECT_EQ(outcome.written, 2);
    EXPECT_EQ(outcome.failed, 76);
    EXPECT_FALSE(fs::exists(folder / "plain" / u8"あ.wav"));
}

TEST(VoicePackTest, KanaAreLevelledToOneLoudnessBelowFullScale)
{
    const auto tone = [](int amplitude, int length) {
        AudioSamples samples;
        for (int i = 0; i < length; ++i)
            samples.push_back(static_cast<std::int16_t>(i % 2 ? amplitude : -amplitude));
        return samples;
    };
    const auto rms = [](const AudioSamples& samples) {
        double sum = 0;
        for (std::int16_t s : samples)
            sum += static_cast<double>(s) * s;
        return std::sqrt(sum / static_cast<double>(samples.size()));
    };
    const auto peak = [](const AudioSamples& samples) {
        int most = 0;
        for (std::int16_t s : samples)
            most = std::max(most, std::abs(static_cast<int>(s)));
        return most;
    };

    // A faint kana and one at full scale come out equally loud, with room at the top.
    const AudioSamples faint = VoicePack::levelled(tone(300, 4800));
    const AudioSamples loud = VoicePack::levelled(tone(32767, 4800));
    ASSERT_EQ(faint.size(), 4800u);
    EXPECT_NEAR(20 * std::log10(rms(faint) / 32767.0), -18.0, 0.2);
    EXPECT_NEAR(20 * std::log10(rms(loud) / 32767.0), -18.0, 0.2);

    // A short loud click in a quiet kana may not be driven past full scale.
    AudioSamples spiky = tone(200, 4800);
    spiky[100] = 20000;
    const AudioSamples levelled = VoicePack::levelled(spiky);
    EXPECT_LE(peak(levelled), 29204);
    EXPECT_GE(peak(levelled), 29000) << "as loud as the limit lets it be";

    EXPECT_EQ(VoicePack::levelled(AudioSamples(100, 0)), AudioSamples(100, 0));
    EXPECT_TRUE(VoicePack::levelled({}).empty());
}

TEST(VoicePackTest, WrittenWaveReadsBackSampleForSample)
{
    TempFolder folder;
    const AudioSamples samples { 0, 1, -1, 32767, -32768, 12345 };
    ASSERT_TRUE(WaveWriter::write(folder / "x.wav", samples));
    const SharedSamples back = WaveDecoder::decodeFile(PathText::utf8(folder / "x.wav"));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, samples);
    EXPECT_FALSE(WaveWriter::write(folder / "missing" / "x.wav", samples));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

} // namespace
