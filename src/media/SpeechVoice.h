#pragma once

#include <functional>
#include <string_view>

// Speaks the drill's Japanese sentences. SpeakText returns at once; the done handler then runs
// once for that text, on the user-interface thread through its event queue and never from inside
// SpeakText, after the text has been heard (at once, but still queued, when it cannot be spoken).
// A text cut short by StopSpeech or by a newer SpeakText never reports done, so the one report
// that follows always belongs to the latest text.
class SpeechVoice
{
public:
    using DoneHandler = std::function<void()>;

    virtual ~SpeechVoice() = default;

    virtual void setDoneHandler(DoneHandler handler) = 0;
    virtual void SpeakText(std::u16string_view text) = 0;
    virtual void StopSpeech() = 0;
};
