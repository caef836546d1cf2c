#include "media/SdlAudioOutput.h"

#include "media/SdlApi.h"

SdlAudioOutput::SdlAudioOutput(AudioMixer& mixer)
    : m_mixer(mixer)
{
    m_mixer.setDevice(
        AudioMixer::Device { [this] { return wake(); }, [this] { idle(); }, kIdleFrames });
    // Sleeps until the mixer reports a silent device; it wakes nobody while the drill is idle.
    m_keeper = std::thread([this] { keep(); });
}

SdlAudioOutput::~SdlAudioOutput()
{
    {
        std::lock_guard lock(m_stateMutex);
        m_quit = true;
    }
    m_stateChanged.notify_all();
    m_keeper.join();
    m_mixer.setDevice({});
    std::lock_guard lock(m_deviceMutex);
    closeDevice();
    if (m_subsystemStarted)
        SdlApi::get()->QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open(AudioMixer& mixer)
{
    auto output = std::make_unique<SdlAudioOutput>(mixer);
    if (!output->start())
        return nullptr;
    return output;
}

bool SdlAudioOutput::start()
{
    return wake();
}

bool SdlAudioOutput::wake()
{
    std::lock_guard lock(m_deviceMutex);
    return m_device != 0 || openDevice();
}

bool SdlAudioOutput::openDevice()
{
    if (m_noDriver)
        return false;
    const SdlApi* sdl = SdlApi::get();
    if (!m_subsystemStarted) {
        // SDL's audio starts its event handling too, which would otherwise take SIGINT and SIGTERM
        // for itself and turn them into events nobody reads: the program could no longer be
        // ended by them.
        if (sdl)
            sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // Tried once: a machine without SDL or any audio driver stays silent without asking again.
        if (!sdl || sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_noDriver = true;
            return false;
        }
        m_subsystemStarted = true;
    }
    SDL_AudioSpec wanted {};
    wanted.freq = AudioFormat::kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = AudioFormat::kChannels;
    wanted.samples = AudioFormat::kBufferFrames;
    wanted.callback = &SdlAudioOutput::fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained {};
    // No changes allowed: SDL converts to the hardware itself, so the mixer's format holds.
    const SDL_AudioDeviceID device = sdl->OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0)
        return false;
    m_device = device;
    m_mixer.deviceStopped(); // the silence before closing is counted afresh
    {
        std::lock_guard lock(m_stateMutex);
        m_running = true;
        m_idle = false;
        ++m_opens;
    }
    // The first buffer is asked for at once, so audio queued before this call is heard now.
    sdl->PauseAudioDevice(device, 0);
    return true;
}

void SdlAudioOutput::closeDevice()
{
    if (m_device == 0)
        return;
    // Waits for the device's thread to finish its buffer; that thread may be telling us it is
    // idle, which takes only m_stateMutex.
    SdlApi::get()->CloseAudioDevice(m_device);
    m_device = 0;
    m_mixer.deviceStopped();
    {
        std::lock_guard lock(m_stateMutex);
        m_running = false;
    }
    m_stateChanged.notify_all();
}

void SdlAudioOutput::idle()
{
    {
        std::lock_guard lock(m_stateMutex);
        m_idle = true;
    }
    m_stateChanged.notify_all();
}

void SdlAudioOutput::keep()
{
    while (true) {
        {
            std::unique_lock lock(m_stateMutex);
            m_stateChanged.wait(lock, [this] { return m_quit || m_idle; });
            if (m_quit)
                return;
            m_idle = false;
        }
        // Checked again under the device lock: a sound that began meanwhile keeps the device,
        // and one that begins from now on waits for the close and opens it again.
        std::lock_guard lock(m_deviceMutex);
        if (m_mixer.isIdle())
            closeDevice();
    }
}

bool SdlAudioOutput::isRunning() const
{
    std::lock_guard lock(m_stateMutex);
    return m_running;
}

std::uint64_t SdlAudioOutput::openCount() const
{
    std::lock_guard lock(m_stateMutex);
    return m_opens;
}

bool SdlAudioOutput::waitUntilClosed(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_stateMutex);
    return m_stateChanged.wait_for(lock, timeout, [this] { return !m_running; });
}

void SdlAudioOutput::fill(void* self, std::uint8_t* stream, int length)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->m_mixer.mix(reinterpret_cast<std::int16_t*>(stream),
        static_cast<std::size_t>(length) / sizeof(std::int16_t));
}
