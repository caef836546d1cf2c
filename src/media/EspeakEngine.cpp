#include "media/EspeakEngine.h"

#include "common/Utf8Text.h"
#include "media/PcmConverter.h"
#include "media/StopSignal.h"

#include "media/EspeakApi.h"

#include <atomic>

namespace {

std::atomic<bool> g_alive { false };

// Children follow a little slower than espeak-ng's default of 175 words a minute.
constexpr int kWordsPerMinute = 150;
// Pieces of 20 ms reach the mixer as they are made, so speech starts before the text is done.
constexpr int kPieceMs = 20;

struct Job
{
    PcmConverter converter;
    const SpeechEngine::AudioSink& sink;
    StopSignal& stop;
    bool heard = false;
};

int onSamples(short* samples, int count, espeak_EVENT* events)
{
    auto* job = events ? static_cast<Job*>(events->user_data) : nullptr;
    if (!job)
        return 0;
    if (job->stop.raised())
        return 1;
    if (samples && count > 0) {
        if (SharedSamples piece = job->converter.put(samples, static_cast<std::size_t>(count))) {
            job->heard = true;
            job->sink(std::move(piece));
        }
    }
    return 0;
}

} // namespace

std::unique_ptr<EspeakEngine> EspeakEngine::create(std::unique_ptr<JapaneseReading> reading)
{
    // The library is started once per process and never terminated: its terminate call can
    // wait for ever on its own internal thread once a second start has happened.
    const EspeakApi* espeak = EspeakApi::get();
    if (!espeak)
        return nullptr;
    static const int rate = [espeak] {
        const int r = espeak->Initialize(
            AUDIO_OUTPUT_SYNCHRONOUS, kPieceMs, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r > 0)
            espeak->SetSynthCallback(&onSamples);
        return r;
    }();
    if (!reading || rate <= 0 || g_alive.exchange(true))
        return nullptr;
    if (espeak->SetVoiceByName("ja") != EE_OK) {
        g_alive = false;
        return nullptr;
    }
    espeak->SetParameter(espeakRATE, kWordsPerMinute, 0);
    return std::unique_ptr<EspeakEngine>(new EspeakEngine(std::move(reading), rate));
}

EspeakEngine::EspeakEngine(std::unique_ptr<JapaneseReading> reading, int sampleRate)
    : m_reading(std::move(reading))
    , m_sampleRate(sampleRate)
{ }

EspeakEngine::~EspeakEngine()
{
    g_alive = false;
}

bool EspeakEngine::synthesize(std::u16string_view text, const AudioSink& sink, StopSignal& stop)
{
    const std::u16string reading = m_reading->read(text);
    if (reading.find_first_not_of(u" 、。？！") == std::u16string::npos)
        return false; // nothing to say: no sound, but the text still completes
    const std::string kana = Utf8Text::encode(reading);
    Job job { PcmConverter(m_sampleRate, 1), sink, stop };
    if (!job.converter.valid())
        return false;
    const espeak_ERROR result = EspeakApi::get()->Synth(
        kana.c_str(), kana.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &job);
    if (stop.raised())
        return false;
    if (SharedSamples rest = job.converter.flush()) {
        job.heard = true;
        sink(std::move(rest));
    }
    return result == EE_OK && job.heard;
}
