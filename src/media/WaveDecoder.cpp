#include "media/WaveDecoder.h"

#include "media/SdlApi.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <vector>

namespace {

void setWaveHints(const SdlApi& sdl)
{
    static std::once_flag once;
    std::call_once(once, [&sdl] {
        // A file cut short is refused rather than played in part: the teacher hears that the
        // file is broken instead of a clipped kana that sounds like another.
        sdl.SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    });
}

// Converts one decoded buffer of any SDL format to the program's format. The whole buffer is
// converted at once (SDL's streaming converter of this version drops the last few milliseconds
// when the rate changes).
SharedSamples convert(
    const SdlApi& sdl, const SDL_AudioSpec& from, const Uint8* data, Uint32 length)
{
    SDL_AudioCVT cvt {};
    const int needed = sdl.BuildAudioCVT(&cvt, from.format, from.channels, from.freq, AUDIO_S16SYS,
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
    if (sdl.ConvertAudio(&cvt) != 0 || cvt.len_cvt < 0)
        return nullptr;
    const auto* samples = reinterpret_cast<const std::int16_t*>(work.data());
    return std::make_shared<const AudioSamples>(
        samples, samples + static_cast<std::size_t>(cvt.len_cvt) / sizeof(std::int16_t));
}

} // namespace

SharedSamples WaveDecoder::decode(const void* bytes, std::size_t size)
{
    const SdlApi* sdl = SdlApi::get();
    if (!sdl || !bytes || size == 0 || size > kMaxFileBytes)
        return nullptr;
    setWaveHints(*sdl);
    SDL_RWops* rw = sdl->RWFromConstMem(bytes, static_cast<int>(size));
    if (!rw)
        return nullptr;
    SDL_AudioSpec format {};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!sdl->LoadWAV_RW(rw, 1, &format, &data, &length))
        return nullptr;
    SharedSamples samples = convert(*sdl, format, data, length);
    sdl->FreeWAV(data);
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
