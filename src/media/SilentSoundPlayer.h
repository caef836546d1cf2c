#pragma once

#include "media/SoundPlayer.h"

// The sound player of a machine without audio: every sound is silence that ends at once.
class SilentSoundPlayer final : public SoundPlayer
{
public:
    void PlaySound(std::u16string_view) override { }
    void WaitForSoundEnd() override { }
    void StopSound() override { }
};
