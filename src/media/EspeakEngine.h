#pragma once

#include "media/JapaneseReading.h"
#include "media/SpeechEngine.h"

#include <memory>

// Speaks with espeak-ng's Japanese voice, which works on every fresh install. espeak-ng reads
// only kana, so each text is first turned into its pronunciation by MeCab. espeak-ng keeps its
// state in the library, so only one of these exists at a time.
class EspeakEngine final : public SpeechEngine
{
public:
    // Null when espeak-ng or its Japanese voice cannot start, or another instance is alive.
    static std::unique_ptr<EspeakEngine> create(std::unique_ptr<JapaneseReading> reading);
    ~EspeakEngine() override;
    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    const char* name() const override { return "espeak-ng"; }
    bool synthesize(std::u16string_view text, const AudioSink& sink, StopSignal& stop) override;

    // What the synthesizer is given for a text.
    std::u16string reading(std::u16string_view text) { return m_reading->read(text); }

private:
    EspeakEngine(std::unique_ptr<JapaneseReading> reading, int sampleRate);

    std::unique_ptr<JapaneseReading> m_reading;
    int m_sampleRate;
};
