#include "media/PcmConverter.h"

#include "media/SdlApi.h"

#include <algorithm>
#include <vector>

PcmConverter::PcmConverter(int sampleRate, int channels)
{
    m_sdl = SdlApi::get();
    if (!m_sdl || sampleRate <= 0 || channels <= 0 || channels > 8)
        return;
    m_sampleRate = sampleRate;
    m_channels = channels;
    m_passThrough = sampleRate == AudioFormat::kSampleRate && channels == AudioFormat::kChannels;
    m_stream = m_sdl->NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(channels), sampleRate,
        AUDIO_S16SYS, AudioFormat::kChannels, AudioFormat::kSampleRate);
}

PcmConverter::~PcmConverter()
{
    if (m_stream)
        m_sdl->FreeAudioStream(m_stream);
}

SharedSamples PcmConverter::put(const std::int16_t* samples, std::size_t count)
{
    if (!m_stream || count == 0)
        return nullptr;
    if (m_passThrough)
        return std::make_shared<const AudioSamples>(samples, samples + count);
    m_framesIn += count / static_cast<std::size_t>(m_channels);
    if (m_sdl->AudioStreamPut(m_stream, samples, static_cast<int>(count * sizeof(std::int16_t)))
        != 0)
        return nullptr;
    return take();
}

SharedSamples PcmConverter::flush()
{
    if (!m_stream || m_passThrough)
        return nullptr;
    // SDL's flush of this version keeps back the resampler's last window; a tenth of a second of
    // silence pushes the real tail out, and the result is then cut to its true length.
    const std::vector<std::int16_t> padding(
        static_cast<std::size_t>(m_sampleRate / 10 + 1) * static_cast<std::size_t>(m_channels), 0);
    m_sdl->AudioStreamPut(
        m_stream, padding.data(), static_cast<int>(padding.size() * sizeof(std::int16_t)));
    m_sdl->AudioStreamFlush(m_stream);
    return take();
}

SharedSamples PcmConverter::take()
{
    const std::uint64_t expected
        = (m_framesIn * AudioFormat::kSampleRate + static_cast<std::uint64_t>(m_sampleRate) / 2)
        / static_cast<std::uint64_t>(m_sampleRate);
    const int available = m_sdl->AudioStreamAvailable(m_stream);
    if (available <= 0 || m_framesOut >= expected)
        return nullptr;
    auto out = std::make_shared<AudioSamples>(
        static_cast<std::size_t>(available) / sizeof(std::int16_t));
    const int got = m_sdl->AudioStreamGet(m_stream, out->data(), available);
    if (got <= 0)
        return nullptr;
    std::size_t frames = static_cast<std::size_t>(got) / sizeof(std::int16_t);
    frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, expected - m_framesOut));
    out->resize(frames);
    m_framesOut += frames;
    return out;
}
