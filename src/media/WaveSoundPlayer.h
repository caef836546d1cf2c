#pragma once

#include "media/AudioMixer.h"
#include "media/SoundFileCache.h"
#include "media/SoundPlayer.h"

#include <cstdint>

// Plays the working directory's wave files on the sound voice of the mixer. The wait sleeps on
// the mixer's condition until the device has played the last sample, so the drill's thread uses
// no processor time while a sound lasts.
class WaveSoundPlayer final : public SoundPlayer
{
public:
    explicit WaveSoundPlayer(AudioMixer& mixer);

    void PlaySound(std::u16string_view fileName) override;
    void WaitForSoundEnd() override;
    void StopSound() override;

    const SoundFileCache& cache() const { return m_cache; }

private:
    AudioMixer& m_mixer;
    SoundFileCache m_cache;
    std::uint64_t m_ticket = 0;
};
