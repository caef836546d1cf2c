#include "media/MediaSystem.h"

#include "media/AudioMixer.h"
#include "media/EngineSpeechVoice.h"
#include "media/SdlAudioOutput.h"
#include "media/SpeechEngines.h"
#include "media/WaveSoundPlayer.h"

MediaSystem::MediaSystem(UiPoster postToUiThread, std::vector<std::u16string> fixedSentences)
    : m_mixer(std::make_unique<AudioMixer>())
    , m_output(std::make_unique<SdlAudioOutput>(*m_mixer))
    , m_sound(std::make_unique<WaveSoundPlayer>(*m_mixer))
{
    SdlAudioOutput& output = *m_output;
    // Runs on the speech thread. The device is asked for first: without one, the engines would
    // only take memory.
    auto engines = [&output] {
        if (!output.start())
            return EngineSpeechVoice::Engines {};
        return SpeechEngines::available(SpeechEngines::Places {});
    };
    m_speech = std::make_unique<EngineSpeechVoice>(
        engines, *m_mixer, std::move(postToUiThread), std::move(fixedSentences));
}

MediaSystem::~MediaSystem() = default;

void MediaSystem::start()
{
    m_speech->start();
}

SoundPlayer& MediaSystem::sound()
{
    return *m_sound;
}

SpeechVoice& MediaSystem::speech()
{
    return *m_speech;
}
