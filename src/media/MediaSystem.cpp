#include "media/MediaSystem.h"

#include "media/SilentSoundPlayer.h"
#include "media/SilentSpeechVoice.h"

MediaSystem::MediaSystem(UiPoster postToUiThread)
    : m_sound(std::make_unique<SilentSoundPlayer>())
    , m_speech(std::make_unique<SilentSpeechVoice>(std::move(postToUiThread)))
{ }

MediaSystem::~MediaSystem() = default;
