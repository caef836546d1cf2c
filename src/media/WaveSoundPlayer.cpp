#include "media/WaveSoundPlayer.h"

#include "common/Utf8Text.h"

WaveSoundPlayer::WaveSoundPlayer(AudioMixer& mixer)
    : m_mixer(mixer)
{ }

void WaveSoundPlayer::PlaySound(std::u16string_view fileName)
{
    StopSound();
    // Sound names are plain file names of the working directory; a name that reaches into
    // another folder is not one of them and stays silent.
    if (fileName.empty() || fileName.find_first_of(u"/\\") != std::u16string_view::npos)
        return;
    const SharedSamples samples = m_cache.load(Utf8Text::encode(fileName));
    if (!samples || samples->empty())
        return;
    if (m_mixer.begin(AudioMixer::Voice::Sound, m_ticket)) {
        m_mixer.append(AudioMixer::Voice::Sound, m_ticket, samples);
        m_mixer.end(AudioMixer::Voice::Sound, m_ticket);
    }
}

void WaveSoundPlayer::WaitForSoundEnd()
{
    m_mixer.waitDone(AudioMixer::Voice::Sound, m_ticket);
}

void WaveSoundPlayer::StopSound()
{
    ++m_ticket;
    m_mixer.stop(AudioMixer::Voice::Sound, m_ticket);
}
