#pragma once

#include "EventLog.h"

#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"

#include <functional>
#include <string>
#include <vector>

// Records the sounds played; every sound "ends" at once, after whilePlaying has run: the moment a
// real sound would hold the user-interface thread.
class FakeSoundPlayer final : public SoundPlayer
{
public:
    explicit FakeSoundPlayer(EventLog& log)
        : m_log(log)
    { }

    void PlaySound(std::u16string_view fileName) override;
    void WaitForSoundEnd() override;
    void StopSound() override { m_log.add("stop sound"); }

    std::vector<std::u16string> played;
    std::function<void()> whilePlaying;

private:
    EventLog& m_log;
};

// Records the texts spoken; the test says when the latest text has been heard. Keeps the voice's
// contract: one completion per text, none for a text that StopSpeech or a newer text cut short.
class FakeSpeechVoice final : public SpeechVoice
{
public:
    explicit FakeSpeechVoice(EventLog& log)
        : m_log(log)
    { }

    void setDoneHandler(DoneHandler handler) override { m_done = std::move(handler); }
    void SpeakText(std::u16string_view text) override;
    void StopSpeech() override;
    // The latest text has been heard: its completion is delivered, as the event queue would,
    // unless it was stopped or already reported. Returns whether a completion was delivered.
    bool finish();

    std::vector<std::u16string> spoken;

private:
    EventLog& m_log;
    DoneHandler m_done;
    bool m_speaking = false;
};
