#pragma once

#include <string_view>

// Plays the wave files of the working directory: the kana sounds and the two judgement sounds.
// PlaySound followed by WaitForSoundEnd plays a file from its start to its end and returns only
// then; a file that is missing or cannot be played is silence and returns at once. Nothing is
// ever reported to the caller.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    virtual void PlaySound(std::u16string_view fileName) = 0;
    virtual void WaitForSoundEnd() = 0;
    // Silences any sound and releases the file; harmless when nothing plays.
    virtual void StopSound() = 0;
};
