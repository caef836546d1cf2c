#pragma once

#include "media/AudioFormat.h"

// Makes 16-bit speech louder or quieter without letting it clip: the loudest sample never passes
// -1 dBFS, which leaves a decibel of room for the resampling and mixing that follow.
class SampleLevel
{
public:
    static constexpr double kPeakLimit = 32767.0 * 0.891; // -1 dBFS

    // The samples times gain, or times the largest gain below it that keeps within the limit.
    static AudioSamples scaled(const AudioSamples& samples, double gain);
};
