#include "media/MediaSystem.h"

#include "media/AudioMixer.h"
#include "media/EngineSpeechVoice.h"
#include "media/SdlAudioOutput.h"
#include "media/SilentSoundPlayer.h"
#include "media/SilentSpeechVoice.h"
#include "media/SpeechEngines.h"
#include "media/WaveSoundPlayer.h"

namespace {

// The drill's fixed sentences, made while the first card's picture is looked at, so that a wrong
// answer's request is heard without waiting for synthesis. Only a head start: any text that
// differs is simply made when it is asked for.
std::vector<std::u16string> fixedSentences()
{
    return { u"もう一度、やりなおしてね。", u"この名前をいれてください" };
}

} // namespace

MediaSystem::MediaSystem(UiPoster postToUiThread)
    : m_mixer(std::make_unique<AudioMixer>())
    , m_output(SdlAudioOutput::open(*m_mixer))
{
    if (!m_output) {
        m_sound = std::make_unique<SilentSoundPlayer>();
        m_speech = std::make_unique<SilentSpeechVoice>(std::move(postToUiThread));
        return;
    }
    m_sound = std::make_unique<WaveSoundPlayer>(*m_mixer);
    auto engines = SpeechEngines::available(SpeechEngines::Places {});
    if (engines.empty()) {
        m_speech = std::make_unique<SilentSpeechVoice>(std::move(postToUiThread));
        return;
    }
    m_speech = std::make_unique<EngineSpeechVoice>(
        std::move(engines), *m_mixer, std::move(postToUiThread), fixedSentences());
}

MediaSystem::~MediaSystem() = default;
