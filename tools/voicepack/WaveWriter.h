#pragma once

#include "media/AudioFormat.h"

#include <filesystem>

// Writes 16-bit mono PCM wave files. The file appears whole or not at all: it is written beside
// its place under a temporary name and renamed over it, so a teacher's file is never left half
// overwritten.
class WaveWriter
{
public:
    static bool write(const std::filesystem::path& path, const AudioSamples& samples,
        int sampleRate = AudioFormat::kSampleRate);
};
