#include "VoicePack.h"

#include "WaveWriter.h"

#include "data/PathText.h"
#include "drill/DrillState.h"
#include "drill/KanaInput.h"
#include "media/SampleLevel.h"
#include "media/SpeechEngine.h"
#include "media/StopSignal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRate = AudioFormat::kSampleRate;

std::u16string spokenForm(char16_t kana)
{
    switch (kana) {
    case u'っ':
        return u"ちいさいつ";
    case u'ー':
        return u"のばすぼう";
    case u'ゃ':
        return u"ちいさいや";
    case u'ゅ':
        return u"ちいさいゆ";
    case u'ょ':
        return u"ちいさいよ";
    default:
        // Alone, hiragana は and へ are taken for particles and said わ and え; the katakana
        // form is read as the sound itself.
        if (kana >= 0x3041 && kana <= 0x3096)
            return std::u16string(1, static_cast<char16_t>(kana + 0x60));
        return std::u16string(1, kana);
    }
}

// A struck bell: the tone and a fainter octave, dying away.
void addBell(AudioSamples& out, std::size_t start, double frequency, double seconds, double level)
{
    const auto length = static_cast<std::size_t>(seconds * kRate);
    if (out.size() < start + length)
        out.resize(start + length, 0);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double decay = std::exp(-t * 5.0);
        const double wave = std::sin(2 * std::numbers::pi * frequency * t)
            + 0.35 * std::sin(2 * std::numbers::pi * 2 * frequency * t) * std::exp(-t * 8.0);
        const double value = out[start + i] + level * 32767.0 * attack * decay * wave / 1.35;
        out[start + i] = static_cast<std::int16_t>(std::clamp(value, -32767.0, 32767.0));
    }
}

} // namespace

std::vector<VoicePack::Entry> VoicePack::kanaEntries()
{
    KanaInput input;
    input.BuildMarkTables();
    input.BuildKeyTable(true);
    std::vector<Entry> entries;
    std::vector<Entry> marked;
    for (int i = 0; i < KanaInput::kKeyCount; ++i) {
        const std::u16string& kana = input.KanaTable()[static_cast<std::size_t>(i)];
        if (kana.size() != 1)
            continue;
        entries.push_back({ kana, spokenForm(kana.front()) });
        // The marked kana are exactly what the drill's own mark keys make of the table's kana.
        for (bool semi : { false, true }) {
            DrillState state;
            state.TypedText = kana;
            const bool changed = semi ? input.AddSemiVoicedMark(state) : input.AddVoicedMark(state);
            if (changed)
                marked.push_back({ state.TypedText, spokenForm(state.TypedText.back()) });
        }
    }
    entries.insert(entries.end(), marked.begin(), marked.end());
    return entries;
}

AudioSamples VoicePack::chime()
{
    AudioSamples out;
    addBell(out, 0, 1318.5, 0.9, 0.45); // E6: "ピン"
    addBell(out, static_cast<std::size_t>(0.28 * kRate), 1046.5, 1.1, 0.45); // C6: "ポン"
    return trimmed(out);
}

AudioSamples VoicePack::buzzer()
{
    // A low square-like tone built from its odd harmonics (so nothing folds back above the
    // audible range), with a short rise and fall so it does not click.
    constexpr double kFrequency = 140.0;
    constexpr double kSeconds = 0.7;
    const auto length = static_cast<std::size_t>(kSeconds * kRate);
    AudioSamples out(length);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double wave = 0;
        for (int k = 1; k * kFrequency < 4000.0; k += 2)
            wave += std::sin(2 * std::numbers::pi * k * kFrequency * t) / k;
        const double envelope = std::min({ 1.0, t / 0.01, (kSeconds - t) / 0.03 });
        out[i] = static_cast<std::int16_t>(
            std::clamp(0.35 * 32767.0 * envelope * wave, -32767.0, 32767.0));
    }
    return out;
}

AudioSamples VoicePack::trimmed(const AudioSamples& samples)
{
    constexpr int kThreshold = 400;
    const auto loud = [](std::int16_t s) { return std::abs(static_cast<int>(s)) > kThreshold; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end())
        return {};
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    const auto lead = static_cast<std::ptrdiff_t>(0.005 * kRate);
    const auto tail = static_cast<std::ptrdiff_t>(0.04 * kRate);
    const auto begin = first - std::min(lead, first - samples.begin());
    const auto end = last + std::min(tail, samples.end() - last);
    AudioSamples out(begin, end);
    // Short fades keep the cut ends from clicking.
    const std::size_t fade = std::min<std::size_t>(out.size() / 2, 0.005 * kRate);
    for (std::size_t i = 0; i < fade; ++i) {
        const double gain = static_cast<double>(i) / static_cast<double>(fade);
        out[i] = static_cast<std::int16_t>(out[i] * gain);
        out[out.size() - 1 - i] = static_cast<std::int16_t>(out[out.size() - 1 - i] * gain);
    }
    return out;
}

AudioSamples VoicePack::levelled(const AudioSamples& samples)
{
    // A loudness near that of the spoken sentences, with a decibel of room at the top.
    constexpr double kTargetRms = 32767.0 * 0.126; // -18 dBFS
    double sum = 0;
    for (std::int16_t s : samples)
        sum += static_cast<double>(s) * s;
    if (sum == 0)
        return samples;
    const double rms = std::sqrt(sum / static_cast<double>(samples.size()));
    return SampleLevel::scaled(samples, kTargetRms / rms);
}

VoicePack::Outcome VoicePack::build(const std::filesystem::path& folder, SpeechEngine* engine,
    bool overwrite, const Progress& progress)
{
    Outcome outcome;
    const std::vector<Entry> entries = kanaEntries();
    const int total = 2 + static_cast<int>(entries.size());
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    const auto place = [&](const std::u16string& name, const auto& make) {
        const std::filesystem::path path = folder / PathText::fromText(name);
        std::error_code ignored;
        if (!overwrite && std::filesystem::exists(path, ignored)) {
            ++outcome.kept;
        } else {
            const AudioSamples samples = make();
            if (!samples.empty() && WaveWriter::write(path, samples))
                ++outcome.written;
            else
                ++outcome.failed;
        }
        if (progress)
            progress(outcome.written + outcome.kept + outcome.failed, total);
    };

    place(kChimeName, [] { return chime(); });
    place(kBuzzerName, [] { return buzzer(); });
    for (const Entry& entry : entries) {
        place(entry.kana + u".wav", [&] {
            AudioSamples all;
            if (!engine)
                return all;
            StopSignal stop;
            const bool made = engine->synthesize(
                entry.spoken,
                [&](SharedSamples piece) { all.insert(all.end(), piece->begin(), piece->end()); },
                stop);
            return made ? levelled(trimmed(all)) : AudioSamples {};
        });
    }
    return outcome;
}
