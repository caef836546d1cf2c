#pragma once

#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"
#include "media/UiPoster.h"

#include <memory>

// Chooses and owns the sound player and the speech voice of the running program.
class MediaSystem
{
public:
    explicit MediaSystem(UiPoster postToUiThread);
    ~MediaSystem();

    MediaSystem(const MediaSystem&) = delete;
    MediaSystem& operator=(const MediaSystem&) = delete;

    SoundPlayer& sound() { return *m_sound; }
    SpeechVoice& speech() { return *m_speech; }

private:
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<SpeechVoice> m_speech;
};
