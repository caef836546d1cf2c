#pragma once

#include "media/AudioFormat.h"

#include <functional>
#include <string_view>

class StopSignal;

// Turns one Japanese text into audio in the program's sample format, handing it on piece by
// piece as it is made so that playback can start before the whole text is done. Runs on the
// speech thread only.
class SpeechEngine
{
public:
    using AudioSink = std::function<void(SharedSamples)>;

    virtual ~SpeechEngine() = default;

    virtual const char* name() const = 0;
    // Returns whether the whole text was made. Gives up early, returning false, once the stop
    // signal is raised.
    virtual bool synthesize(std::u16string_view text, const AudioSink& sink, StopSignal& stop) = 0;
};
