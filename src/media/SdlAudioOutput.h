#pragma once

#include "media/AudioMixer.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// The program's one audio device, opened through SDL in the program's sample format; SDL converts
// to whatever the hardware wants, and its callback hands each buffer to the mixer. The device
// runs only while there is something to hear: the mixer opens it when audio is queued, and once
// it has played nothing but silence for a second it is closed again, so that a drill waiting for
// a key costs the processor nothing (an open SDL device wakes every buffer, even when paused).
class SdlAudioOutput
{
public:
    // Silence long enough to close the device: a child typing one kana after another keeps it.
    static constexpr std::uint64_t kIdleFrames = AudioFormat::kSampleRate;

    explicit SdlAudioOutput(AudioMixer& mixer);
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // Starts SDL's audio and opens the device now. False when there is no audio device.
    bool start();
    // An output already started; null when there is no audio device.
    static std::unique_ptr<SdlAudioOutput> open(AudioMixer& mixer);

    bool isRunning() const;
    // How many times the device has been opened.
    std::uint64_t openCount() const;
    // For tests and measurements: waits, bounded, until the device has closed for silence.
    bool waitUntilClosed(std::chrono::milliseconds timeout) const;

private:
    bool wake();
    void idle();
    void keep();
    // With m_deviceMutex held.
    bool openDevice();
    void closeDevice();
    static void fill(void* self, std::uint8_t* stream, int length);

    AudioMixer& m_mixer;

    // Opening and closing, on whichever thread needs it.
    std::mutex m_deviceMutex;
    bool m_subsystemStarted = false;
    bool m_noDriver = false;
    std::uint32_t m_device = 0;

    // What the keeper thread and the waiting tests look at; never held while SDL is called.
    mutable std::mutex m_stateMutex;
    mutable std::condition_variable m_stateChanged;
    bool m_running = false;
    bool m_idle = false;
    bool m_quit = false;
    std::uint64_t m_opens = 0;
    std::thread m_keeper;
};
