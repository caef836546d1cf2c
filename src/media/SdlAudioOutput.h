#pragma once

#include "media/AudioMixer.h"

#include <cstdint>
#include <memory>

// The program's one audio device, opened once through SDL for the whole run in the program's
// sample format; SDL converts to whatever the hardware wants. Its callback hands each buffer to
// the mixer.
class SdlAudioOutput
{
public:
    // Null when there is no audio device; the caller then stays silent.
    static std::unique_ptr<SdlAudioOutput> open(AudioMixer& mixer);
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

private:
    SdlAudioOutput(AudioMixer& mixer, std::uint32_t device);
    static void fill(void* self, std::uint8_t* stream, int length);

    AudioMixer& m_mixer;
    std::uint32_t m_device;
};
