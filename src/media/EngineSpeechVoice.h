#pragma once

#include "media/AudioMixer.h"
#include "media/SpeechCache.h"
#include "media/SpeechEngine.h"
#include "media/SpeechVoice.h"
#include "media/StopSignal.h"
#include "media/UiPoster.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
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
//
// The engines can be started on the speech thread itself (they read hundreds of files), so that
// the window is on screen first: a text asked for meanwhile waits for them and is then spoken
// and reported like any other. Without any engine every text is reported at once, unheard.
class EngineSpeechVoice final : public SpeechVoice
{
public:
    using Engines = std::vector<std::unique_ptr<SpeechEngine>>;
    using EngineFactory = std::function<Engines()>;

    // The engines are made by the factory on the speech thread, which start() begins.
    // warmUp: sentences made ahead, while the voice is idle, so they start without synthesis.
    EngineSpeechVoice(EngineFactory factory, AudioMixer& mixer, UiPoster post,
        std::vector<std::u16string> warmUp = {});
    // Engines that are ready: the voice starts at once.
    EngineSpeechVoice(
        Engines engines, AudioMixer& mixer, UiPoster post, std::vector<std::u16string> warmUp = {});
    ~EngineSpeechVoice() override;
    EngineSpeechVoice(const EngineSpeechVoice&) = delete;
    EngineSpeechVoice& operator=(const EngineSpeechVoice&) = delete;

    // Begins the speech thread, which first makes the engines. Called once; texts asked for
    // before are kept until the engines are ready.
    void start();

    void setDoneHandler(DoneHandler handler) override;
    void SpeakText(std::u16string_view text) override;
    void StopSpeech() override;

    // Waits, bounded, until the engines have been made; then the name of the best one, or null
    // when there is none.
    const char* waitForEngine(std::chrono::milliseconds timeout) const;
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
    void makeEngines();
    void speak(const Request& request);
    void prepare(const std::u16string& text);
    SharedSamples make(const std::u16string& text, const std::function<void(SharedSamples)>& sink);

    EngineFactory m_factory;
    Engines m_engines; // the speech thread's own once made
    AudioMixer& m_mixer;
    UiPoster m_post;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_wake;
    bool m_enginesMade = false;
    const char* m_engineName = nullptr;
    std::optional<Request> m_pending;
    std::deque<std::u16string> m_warmUp;
    bool m_quit = false;
    StopSignal m_stop;

    SpeechCache m_cache; // the speech thread's own
    std::atomic<std::size_t> m_syntheses { 0 };
    std::thread m_thread;
};
