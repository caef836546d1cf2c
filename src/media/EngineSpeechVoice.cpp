#include "media/EngineSpeechVoice.h"

EngineSpeechVoice::EngineSpeechVoice(
    EngineFactory factory, AudioMixer& mixer, UiPoster post, std::vector<std::u16string> warmUp)
    : m_factory(std::move(factory))
    , m_mixer(mixer)
    , m_post(std::move(post))
    , m_warmUp(warmUp.begin(), warmUp.end())
{ }

EngineSpeechVoice::EngineSpeechVoice(
    Engines engines, AudioMixer& mixer, UiPoster post, std::vector<std::u16string> warmUp)
    : EngineSpeechVoice(
        [ready = std::make_shared<Engines>(std::move(engines))] { return std::move(*ready); },
        mixer, std::move(post), std::move(warmUp))
{
    start();
}

void EngineSpeechVoice::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

EngineSpeechVoice::~EngineSpeechVoice()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_pending.reset();
        const std::uint64_t generation = ++m_shared->generation;
        m_mixer.stop(AudioMixer::Voice::Speech, generation);
        m_stop.raise();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void EngineSpeechVoice::setDoneHandler(DoneHandler handler)
{
    m_shared->done = std::move(handler);
}

void EngineSpeechVoice::SpeakText(std::u16string_view text)
{
    {
        std::lock_guard lock(m_mutex);
        const std::uint64_t generation = ++m_shared->generation;
        m_mixer.stop(AudioMixer::Voice::Speech, generation);
        m_pending = Request { std::u16string(text), generation };
        m_stop.raise();
    }
    m_wake.notify_all();
}

void EngineSpeechVoice::StopSpeech()
{
    std::lock_guard lock(m_mutex);
    const std::uint64_t generation = ++m_shared->generation;
    m_mixer.stop(AudioMixer::Voice::Speech, generation);
    m_pending.reset();
    m_stop.raise();
}

const char* EngineSpeechVoice::waitForEngine(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, timeout, [this] { return m_enginesMade; });
    return m_engineName;
}

void EngineSpeechVoice::makeEngines()
{
    Engines engines = m_factory ? m_factory() : Engines {};
    m_factory = nullptr;
    {
        std::lock_guard lock(m_mutex);
        m_engines = std::move(engines);
        m_engineName = m_engines.empty() ? nullptr : m_engines.front()->name();
        m_enginesMade = true;
        if (m_engines.empty())
            m_warmUp.clear(); // nothing can be made ahead
    }
    m_wake.notify_all();
}

void EngineSpeechVoice::run()
{
    makeEngines();
    while (true) {
        std::optional<Request> request;
        std::u16string warmUp;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_quit || m_pending || !m_warmUp.empty(); });
            if (m_quit)
                return;
            if (m_pending) {
                request = std::move(m_pending);
                m_pending.reset();
            } else {
                warmUp = std::move(m_warmUp.front());
                m_warmUp.pop_front();
            }
            // Taken together with the request, so a stop meant for a newer text is never lost.
            m_stop.reset();
        }
        if (request)
            speak(*request);
        else
            prepare(warmUp);
    }
}

SharedSamples EngineSpeechVoice::make(
    const std::u16string& text, const std::function<void(SharedSamples)>& sink)
{
    ++m_syntheses;
    for (const auto& engine : m_engines) {
        auto whole = std::make_shared<AudioSamples>();
        bool any = false;
        const bool made = engine->synthesize(
            text,
            [&](SharedSamples piece) {
                any = true;
                whole->insert(whole->end(), piece->begin(), piece->end());
                sink(std::move(piece));
            },
            m_stop);
        if (made)
            return whole; // whole, even if no longer wanted now: still right for the cache
        // A failing engine that said nothing gives way to the next; one that was cut short or
        // had already been heard is not repeated by another voice.
        if (any || m_stop.raised())
            return nullptr;
    }
    return nullptr;
}

void EngineSpeechVoice::prepare(const std::u16string& text)
{
    if (m_cache.find(text))
        return;
    if (SharedSamples audio = make(text, [](SharedSamples) {})) {
        m_cache.put(text, std::move(audio));
    } else if (m_stop.raised()) {
        std::lock_guard lock(m_mutex); // interrupted by a text to say: made later instead
        m_warmUp.push_back(text);
    }
}

void EngineSpeechVoice::speak(const Request& request)
{
    using Voice = AudioMixer::Voice;
    const std::uint64_t generation = request.generation;
    if (!m_mixer.begin(Voice::Speech, generation))
        return; // stopped or replaced before it began: it will never report

    if (SharedSamples cached = m_cache.find(request.text)) {
        m_mixer.append(Voice::Speech, generation, std::move(cached));
    } else {
        SharedSamples audio = make(request.text, [&](SharedSamples piece) {
            m_mixer.append(Voice::Speech, generation, std::move(piece));
        });
        if (audio)
            m_cache.put(request.text, std::move(audio));
    }
    m_mixer.end(Voice::Speech, generation);
    m_mixer.waitDone(Voice::Speech, generation);

    if (m_shared->generation.load() != generation)
        return;
    std::weak_ptr<Shared> weak = m_shared;
    m_post([weak, generation] {
        const auto shared = weak.lock();
        if (shared && shared->generation.load() == generation && shared->done)
            shared->done();
    });
}
