#include "media/WaveDecoder.h"

#include <SDL.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <vector>

namespace {

void setWaveHints()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // A file cut short is refused rather than played in part: the teacher hears that the
        // file is broken instead of a clipped kana that sounds like another.
        SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    });
}

// Converts one decoded buffer of any SDL format to the program's format. The whole buffer is
// converted at once (SDL's streaming converter of this version drops the last few milliseconds
// when the rate changes).
SharedSamples convert(const SDL_AudioSpec& from, const Uint8* data, Uint32 length)
{
    SDL_AudioCVT cvt {};
    const int needed = SDL_BuildAudioCVT(&cvt, from.format, from.channels, from.freq, AUDIO_S16SYS,
        AudioFormat::kChannels, AudioFormat::kSampleRate);
    if (needed < 0)
        return nullptr;
    if (needed == 0) {
        const auto* samples = reinterpret_cast<const std::int16_t*>(data);
        return std::make_shared<const AudioSamples>(samples, samples + length / 2);
    }
    std::vector<Uint8> work(
        static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult));
    std::copy_n(data, length, work.begin());
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt < 0)
        return nullptr;
    const auto* samples = reinterpret_cast<const std::int16_t*>(work.data());
    return std::make_shared<const AudioSamples>(
        samples, samples + static_cast<std::size_t>(cvt.len_cvt) / sizeof(std::int16_t));
}

} // namespace

SharedSamples WaveDecoder::decode(const void* bytes, std::size_t size)
{
    if (!bytes || size == 0 || size > kMaxFileBytes)
        return nullptr;
    setWaveHints();
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!rw)
        return nullptr;
    SDL_AudioSpec format {};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &format, &data, &length))
        return nullptr;
    SharedSamples samples = convert(format, data, length);
    SDL_FreeWAV(data);
    return samples;
}

SharedSamples WaveDecoder::decodeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return nullptr;
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileBytes)
        return nullptr;
    std::vector<char> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return nullptr;
    return decode(bytes.data(), bytes.size());
}
