#pragma once

#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"
#include "media/UiPoster.h"

#include <memory>
#include <string>
#include <vector>

class AudioMixer;
class EngineSpeechVoice;
class SdlAudioOutput;
class WaveSoundPlayer;

// Owns the sound player and the speech voice of the running program. Both can be used as soon as
// it is made; the slow part (SDL's audio, the speech engines and their dictionaries) starts only
// with start(), on the speech thread, so that the window can be on screen first. A text spoken
// before the engines are ready waits for them. The audio device is shared by both and runs only
// while something plays; without a device nothing is heard and no engine is started, and every
// text is still reported done.
class MediaSystem
{
public:
    // The fixed sentences are made as soon as the engines are ready, while the first card is
    // looked at; any other text is made when it is asked for.
    MediaSystem(UiPoster postToUiThread, std::vector<std::u16string> fixedSentences);
    ~MediaSystem();

    MediaSystem(const MediaSystem&) = delete;
    MediaSystem& operator=(const MediaSystem&) = delete;

    void start();

    SoundPlayer& sound();
    SpeechVoice& speech();

private:
    // Declared in the order of building; destroyed in reverse: the voices before the device,
    // the device before the mixer.
    std::unique_ptr<AudioMixer> m_mixer;
    std::unique_ptr<SdlAudioOutput> m_output;
    std::unique_ptr<WaveSoundPlayer> m_sound;
    std::unique_ptr<EngineSpeechVoice> m_speech;
};
