#pragma once

#include "media/AudioFormat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Reads wave files in any encoding SDL understands (PCM of 8, 16, 24 or 32 bits, float, ADPCM,
// A-law, µ-law; any rate; mono or stereo) and converts them to the program's sample format.
// Anything it cannot read in full, a truncated file included, gives nothing.
class WaveDecoder
{
public:
    // Wave files larger than this are not sounds a drill plays; they are refused unread.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;
    // Nor is anything that lasts longer than two minutes. The length is read from the file's
    // header before anything is decoded: a small file at a low rate (or in 4-bit ADPCM) would
    // otherwise grow twelvefold and more in the program's format, to hundreds of MiB.
    static constexpr std::uint64_t kMaxSeconds = 120;
    static constexpr std::uint64_t kMaxDecodedBytes
        = kMaxSeconds * AudioFormat::kSampleRate * AudioFormat::kChannels * sizeof(std::int16_t);

    static SharedSamples decode(const void* bytes, std::size_t size);
    static SharedSamples decodeFile(const std::string& path);

    // The size the file's audio would take in the program's format, from its header (counting a
    // compressed encoding at its most compact, four bits a sample); nothing when the header
    // cannot be read.
    static std::optional<std::uint64_t> decodedBytes(const void* bytes, std::size_t size);
};
