#pragma once

#include <cstdint>
#include <memory>
#include <vector>

using AudioSamples = std::vector<std::int16_t>;
using SharedSamples = std::shared_ptr<const AudioSamples>;

// The one sample format inside the program: the device is opened with it, and every wave file
// and every speech engine's output is converted to it once, before it reaches the mixer.
struct AudioFormat
{
    static constexpr int kSampleRate = 48000;
    static constexpr int kChannels = 1;
    // 10 ms per device buffer: short enough that a kana is heard within a blink of its key, and
    // a whole number of milliseconds so that a simulated device keeps exact real time.
    static constexpr int kBufferFrames = 480;

    static constexpr double seconds(std::uint64_t frames)
    {
        return static_cast<double>(frames) / kSampleRate;
    }
};
