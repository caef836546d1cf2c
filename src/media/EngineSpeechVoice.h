#pragma once

#include "media/AudioMixer.h"
#include "media/SpeechCache.h"
#include "media/SpeechEngine.h"
#include "media/SpeechVoice.h"
#include "media/StopSignal.h"
#include "media/UiPoster.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The speaking voice of the program. SpeakText only hands the text to a speech thread, which
// makes the audio with the best engine that can say it (the next one when an engine fails),
// plays it on the mixer's speech voice and, once it has been heard, posts the done report to the
// user-interface thread. Texts are numbered; a newer text or a stop silences the older one at
// once, and a report that was already queued for it is dropped when it arrives.
class EngineSpeechVoice final : public SpeechVoice
{
public:
    // warmUp: sentences made ahead, while the voice is idle, so they start without synthesis.
    EngineSpeechVoice(std::vector<std::unique_ptr<SpeechEngine>> engines, AudioMixer& mixer,
        UiPoster post, std::vector<std::u16string> warmUp = {});
    ~EngineSpeechVoice() override;
    EngineSpeechVoice(const EngineSpeechVoice&) = delete;
    EngineSpeechVoice& operator=(const EngineSpeechVoice&) = delete;

    void setDoneHandler(DoneHandler handler) override;
    void SpeakText(std::u16string_view text) override;
    void StopSpeech() override;

    const SpeechEngine& engine() const { return *m_engines.front(); }
    // How many texts have been made by an engine rather than taken from the cache.
    std::size_t synthesisCount() const { return m_syntheses.load(); }

private:
    struct Request
    {
        std::u16string text;
        std::uint64_t generation = 0;
    };
    // Shared with the queued reports, which may outlive the voice.
    struct Shared
    {
        DoneHandler done;
        std::atomic<std::uint64_t> generation { 0 };
    };

    void run();
    void speak(const Request& request);
    void prepare(const std::u16string& text);
    SharedSamples make(const std::u16string& text, const std::function<void(SharedSamples)>& sink);

    std::vector<std::unique_ptr<SpeechEngine>> m_engines;
    AudioMixer& m_mixer;
    UiPoster m_post;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_pending;
    std::deque<std::u16string> m_warmUp;
    bool m_quit = false;
    StopSignal m_stop;

    SpeechCache m_cache; // the speech thread's own
    std::atomic<std::size_t> m_syntheses { 0 };
    std::thread m_thread;
};
