#pragma once

#include "media/AudioFormat.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// The two voices of the one audio device, sounds and speech, mixed sample by sample so that a
// kana sound never cuts the speech and the speech never cuts a sound. Each voice plays one stream
// at a time; a stream carries a ticket, and a stop raises the voice's floor so that a stream
// started late by another thread for an older ticket is refused instead of heard. The device's
// callback calls mix(); everyone else waits on the condition it signals, never by polling.
//
// The device need not run while nothing plays: a mixer given a device asks it to run whenever
// audio is queued, and tells it once nothing has played for a while, so that it can stop.
class AudioMixer
{
public:
    // What the mixer needs of a device that comes and goes. Both are called without the
    // mixer's lock held.
    struct Device
    {
        // Makes sure the device is running (or about to be) and takes the queued audio. False
        // when there is no device: the stream is then over at once, unheard.
        std::function<bool()> wake;
        // Called from mix() once the device has played nothing but silence for idleFrames.
        std::function<void()> idle;
        std::uint64_t idleFrames = 0;
    };

    enum class Voice
    {
        Sound = 0,
        Speech = 1
    };
    using Clock = std::chrono::steady_clock;

    // Starts a new stream on the voice, replacing what it plays. Returns false, and starts
    // nothing, when the ticket is older than the voice's floor (a stop or newer stream came first).
    bool begin(Voice voice, std::uint64_t ticket);
    // Queues audio for the stream; ignored unless the ticket is the voice's current stream.
    void append(Voice voice, std::uint64_t ticket, SharedSamples samples);
    // No more audio will come for the stream: it completes once all of it has been played.
    void end(Voice voice, std::uint64_t ticket);
    // Silences the voice at once and refuses every ticket below floor from now on.
    void stop(Voice voice, std::uint64_t floor);

    // Blocks until the stream of the ticket is over: played to its end, stopped or replaced.
    // A device that stops asking for audio cannot hold the caller for ever: once the queued audio
    // should long have been played and nothing moved, the stream is given up as over.
    void waitDone(Voice voice, std::uint64_t ticket);
    bool isPlaying(Voice voice, std::uint64_t ticket) const;

    // For measurements and tests: waits until the voice's current stream has all its audio
    // queued, or until the first sample of a stream begun after the given time is mixed.
    bool waitForQueuedEnd(Voice voice, std::chrono::milliseconds timeout) const;
    std::optional<Clock::time_point> waitForFirstSample(
        Voice voice, Clock::time_point after, std::chrono::milliseconds timeout) const;

    // Fills the device's buffer. Called by the device's thread; never blocks for long.
    void mix(std::int16_t* out, std::size_t frames);

    // The device that calls mix(). Without one the caller drives mix() itself (tests); an empty
    // Device takes it away again. Every stream must be over before the device goes.
    void setDevice(Device device);
    // Nothing plays and the device has played silence for its idle time: it may stop. The
    // count starts again when the device is running once more.
    bool isIdle() const;
    void deviceStopped();

private:
    struct VoiceState
    {
        std::uint64_t floor = 0;
        std::uint64_t ticket = 0;
        bool active = false;
        bool ended = false;
        bool started = false;
        std::deque<SharedSamples> chunks;
        std::size_t offset = 0;
        std::uint64_t framesQueued = 0;
        std::uint64_t framesPlayed = 0;
        Clock::time_point firstSampleAt {};
    };

    VoiceState& state(Voice voice) { return m_voices[static_cast<std::size_t>(voice)]; }
    const VoiceState& state(Voice voice) const { return m_voices[static_cast<std::size_t>(voice)]; }
    static void silence(VoiceState& voice);
    void mixLocked(std::int16_t* out, std::size_t frames);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::array<VoiceState, 2> m_voices;
    std::shared_ptr<const Device> m_device;
    std::uint64_t m_silentFrames = 0;
    bool m_idleTold = false;
    std::array<std::int32_t, AudioFormat::kBufferFrames> m_accumulator {};
};
