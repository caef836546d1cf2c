#pragma once

#include "media/AudioFormat.h"

#include <cstddef>
#include <cstdint>

struct _SDL_AudioStream;
struct SdlApi;

// Converts a stream of signed 16-bit samples at another rate and channel count, arriving piece
// by piece from a speech engine, to the program's sample format as it comes. The result has
// exactly the length the input has at the program's rate.
class PcmConverter
{
public:
    PcmConverter(int sampleRate, int channels);
    ~PcmConverter();
    PcmConverter(const PcmConverter&) = delete;
    PcmConverter& operator=(const PcmConverter&) = delete;

    bool valid() const { return m_stream != nullptr; }
    // The converted samples available so far (possibly none).
    SharedSamples put(const std::int16_t* samples, std::size_t count);
    // The rest, once the input has ended.
    SharedSamples flush();

private:
    SharedSamples take();

    const SdlApi* m_sdl = nullptr;
    _SDL_AudioStream* m_stream = nullptr;
    bool m_passThrough = false;
    int m_sampleRate = 0;
    int m_channels = 0;
    std::uint64_t m_framesIn = 0;
    std::uint64_t m_framesOut = 0;
};
