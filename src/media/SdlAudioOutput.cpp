#include "media/SdlAudioOutput.h"

#include <SDL.h>

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open(AudioMixer& mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput(mixer, 0));
    SDL_AudioSpec wanted {};
    wanted.freq = AudioFormat::kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = AudioFormat::kChannels;
    wanted.samples = AudioFormat::kBufferFrames;
    wanted.callback = &SdlAudioOutput::fill;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained {};
    // No changes allowed: SDL converts to the hardware itself, so the mixer's format holds.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    output->m_device = device;
    SDL_PauseAudioDevice(device, 0);
    return output;
}

SdlAudioOutput::SdlAudioOutput(AudioMixer& mixer, std::uint32_t device)
    : m_mixer(mixer)
    , m_device(device)
{ }

SdlAudioOutput::~SdlAudioOutput()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlAudioOutput::fill(void* self, std::uint8_t* stream, int length)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->m_mixer.mix(reinterpret_cast<std::int16_t*>(stream),
        static_cast<std::size_t>(length) / sizeof(std::int16_t));
}
