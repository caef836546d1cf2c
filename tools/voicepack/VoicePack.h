#pragma once

#include "media/AudioFormat.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class SpeechEngine;

// The sound files the drill plays, made without a microphone: every kana that can stand in a
// typed line spoken by a speech engine, a bright two-tone chime for a right answer and a low
// buzzer for a wrong one.
class VoicePack
{
public:
    struct Entry
    {
        std::u16string kana;
        // What the engine is given: a kana that is no word alone is said by its name.
        std::u16string spoken;
    };
    struct Outcome
    {
        int written = 0;
        int kept = 0;
        int failed = 0;
    };

    static constexpr const char16_t* kChimeName = u"ピンポン.wav";
    static constexpr const char16_t* kBuzzerName = u"ブー.wav";

    // The 76 kana the drill can ask for: its key table's and the marked ones.
    static std::vector<Entry> kanaEntries();
    static AudioSamples chime();
    static AudioSamples buzzer();
    // Cuts the engine's silence before and after the voice, so the kana is heard at its key.
    static AudioSamples trimmed(const AudioSamples& samples);
    // Brings a spoken kana to one loudness: an HTS voice says some syllables alone 20 dB louder
    // than others, up to full scale. The loudest sample stays below full scale.
    static AudioSamples levelled(const AudioSamples& samples);

    // Called after each file with the number of files done and the number in all.
    using Progress = std::function<void(int done, int total)>;

    // Writes every file into the folder; files already there are kept unless overwrite is set.
    // Without an engine only the chime and the buzzer can be made.
    static Outcome build(const std::filesystem::path& folder, SpeechEngine* engine, bool overwrite,
        const Progress& progress = {});
};
