#pragma once

#include "media/AudioFormat.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

// The two voices of the one audio device, sounds and speech, mixed sample by sample so that a
// kana sound never cuts the speech and the speech never cuts a sound. Each voice plays one stream
// at a time; a stream carries a ticket, and a stop raises the voice's floor so that a stream
// started late by another thread for an older ticket is refused instead of heard. The device's
// callback calls mix(); everyone else waits on the condition it signals, never by polling.
class AudioMixer
{
public:
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

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::array<VoiceState, 2> m_voices;
    std::array<std::int32_t, AudioFormat::kBufferFrames> m_accumulator {};
};
