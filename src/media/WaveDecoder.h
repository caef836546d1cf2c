#pragma once

#include "media/AudioFormat.h"

#include <cstddef>
#include <string>

// Reads wave files in any encoding SDL understands (PCM of 8, 16, 24 or 32 bits, float, ADPCM,
// A-law, µ-law; any rate; mono or stereo) and converts them to the program's sample format.
// Anything it cannot read in full, a truncated file included, gives nothing.
class WaveDecoder
{
public:
    // Wave files larger than this are not sounds a drill plays; they are refused unread.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

    static SharedSamples decode(const void* bytes, std::size_t size);
    static SharedSamples decodeFile(const std::string& path);
};
