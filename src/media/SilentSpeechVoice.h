#pragma once

#include "media/SpeechVoice.h"
#include "media/UiPoster.h"

#include <cstdint>
#include <memory>

// The voice used when no speech engine can start: says nothing, but still reports each text as
// done through the event queue, so that the drill never waits for ever.
class SilentSpeechVoice final : public SpeechVoice
{
public:
    explicit SilentSpeechVoice(UiPoster post);

    void setDoneHandler(DoneHandler handler) override;
    void SpeakText(std::u16string_view text) override;
    void StopSpeech() override;

private:
    UiPoster m_post;
    // Shared with the queued reports, so that a report for a text that was stopped or
    // superseded meanwhile is dropped, and one that outlives the voice does nothing.
    struct Shared
    {
        DoneHandler done;
        std::uint64_t generation = 0;
    };
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};
