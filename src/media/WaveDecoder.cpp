#include "media/WaveDecoder.h"

#include "media/SdlApi.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
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
    // Checked again on what SDL has read, whatever the header said.
    if (static_cast<double>(length) * cvt.len_ratio > WaveDecoder::kMaxDecodedBytes)
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

std::uint32_t little32(const std::uint8_t* p)
{
    return std::uint32_t { p[0] } | std::uint32_t { p[1] } << 8 | std::uint32_t { p[2] } << 16
        | std::uint32_t { p[3] } << 24;
}

std::uint16_t little16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace

std::optional<std::uint64_t> WaveDecoder::decodedBytes(const void* bytes, std::size_t size)
{
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0
        || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::optional<std::uint64_t> dataBytes;
    // The chunks, each an identifier, a length and its bytes padded to an even length.
    for (std::size_t at = 12; at + 8 <= size && !dataBytes;) {
        const std::uint8_t* chunk = data + at;
        const std::uint64_t length = little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && length >= 16 && at + 8 + 16 <= size) {
            channels = little16(chunk + 10);
            rate = little32(chunk + 12);
            bits = little16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            // A length past the end of the file counts as far as the file goes.
            dataBytes = std::min<std::uint64_t>(length, size - at - 8);
        }
        at += 8 + static_cast<std::size_t>(std::min<std::uint64_t>(length + (length & 1), size));
    }
    if (!dataBytes || channels == 0 || rate == 0)
        return std::nullopt;
    // Compressed encodings give fewer bits than 8 or say 0; 4 bits a sample is the most compact
    // one SDL reads.
    const std::uint64_t bitsPerSample = bits >= 8 ? bits : 4;
    const std::uint64_t frames = *dataBytes * 8 / (bitsPerSample * channels);
    return frames * AudioFormat::kSampleRate / rate * AudioFormat::kChannels * sizeof(std::int16_t);
}

SharedSamples WaveDecoder::decode(const void* bytes, std::size_t size)
{
    const SdlApi* sdl = SdlApi::get();
    if (!sdl || !bytes || size == 0 || size > kMaxFileBytes)
        return nullptr;
    if (const auto decoded = decodedBytes(bytes, size); decoded && *decoded > kMaxDecodedBytes)
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
    // The name is UTF-8: on Windows a plain string would be read in the ANSI code page.
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
        std::ios::binary | std::ios::ate);
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
