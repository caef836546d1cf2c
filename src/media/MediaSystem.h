#pragma once

#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"
#include "media/UiPoster.h"

#include <memory>

class AudioMixer;
class SdlAudioOutput;

// Chooses and owns the sound player and the speech voice of the running program: the audio
// device is opened once and shared by both; without a device both are silent, and without a
// speech engine the voice is.
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
    // Declared in the order of building; destroyed in reverse, the device before the mixer.
    std::unique_ptr<AudioMixer> m_mixer;
    std::unique_ptr<SdlAudioOutput> m_output;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<SpeechVoice> m_speech;
};
