#include "media/SilentSpeechVoice.h"

#include <utility>

SilentSpeechVoice::SilentSpeechVoice(UiPoster post)
    : m_post(std::move(post))
{ }

void SilentSpeechVoice::setDoneHandler(DoneHandler handler)
{
    m_shared->done = std::move(handler);
}

void SilentSpeechVoice::SpeakText(std::u16string_view)
{
    const std::uint64_t generation = ++m_shared->generation;
    std::weak_ptr<Shared> weak = m_shared;
    m_post([weak, generation] {
        const auto shared = weak.lock();
        if (shared && shared->generation == generation && shared->done)
            shared->done();
    });
}

void SilentSpeechVoice::StopSpeech()
{
    ++m_shared->generation;
}
