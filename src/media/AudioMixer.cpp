#include "media/AudioMixer.h"

#include <algorithm>
#include <limits>

namespace {

// Grace beyond the queued audio's own length before a stalled device is given up on.
constexpr auto kStallGrace = std::chrono::seconds(2);

} // namespace

bool AudioMixer::begin(Voice voice, std::uint64_t ticket)
{
    std::lock_guard lock(m_mutex);
    VoiceState& v = state(voice);
    if (ticket < v.floor)
        return false;
    silence(v);
    v.floor = ticket;
    v.ticket = ticket;
    v.active = true;
    m_silentFrames = 0;
    m_idleTold = false;
    m_changed.notify_all();
    return true;
}

void AudioMixer::append(Voice voice, std::uint64_t ticket, SharedSamples samples)
{
    if (!samples || samples->empty())
        return;
    std::shared_ptr<const Device> device;
    {
        std::lock_guard lock(m_mutex);
        VoiceState& v = state(voice);
        if (!v.active || v.ended || v.ticket != ticket)
            return;
        v.framesQueued += samples->size();
        v.chunks.push_back(std::move(samples));
        device = m_device;
    }
    // Outside the lock: opening a device starts its thread, which mixes at once.
    if (!device || device->wake())
        return;
    std::lock_guard lock(m_mutex);
    VoiceState& v = state(voice);
    if (v.active && v.ticket == ticket) {
        silence(v); // no device to hear it: over at once rather than waited for
        m_changed.notify_all();
    }
}

void AudioMixer::end(Voice voice, std::uint64_t ticket)
{
    std::lock_guard lock(m_mutex);
    VoiceState& v = state(voice);
    if (v.active && v.ticket == ticket) {
        v.ended = true;
        // A stream with nothing to hear is over now; no device has to run to say so.
        if (v.framesQueued == 0)
            silence(v);
        m_changed.notify_all();
    }
}

void AudioMixer::stop(Voice voice, std::uint64_t floor)
{
    std::lock_guard lock(m_mutex);
    VoiceState& v = state(voice);
    v.floor = std::max(v.floor, floor);
    if (v.active && v.ticket < v.floor) {
        silence(v);
        m_changed.notify_all();
    }
}

void AudioMixer::silence(VoiceState& v)
{
    v.active = false;
    v.ended = false;
    v.started = false;
    v.chunks.clear();
    v.offset = 0;
    v.framesQueued = 0;
    v.framesPlayed = 0;
}

bool AudioMixer::isPlaying(Voice voice, std::uint64_t ticket) const
{
    std::lock_guard lock(m_mutex);
    const VoiceState& v = state(voice);
    return v.active && v.ticket == ticket;
}

void AudioMixer::waitDone(Voice voice, std::uint64_t ticket)
{
    std::unique_lock lock(m_mutex);
    VoiceState& v = state(voice);
    const auto current = [&] { return v.active && v.ticket == ticket; };
    while (current()) {
        // Progress is not signalled (that would wake the waiter every buffer); the wait is
        // bounded by the time the queued audio needs instead, and checked for progress then.
        const std::uint64_t playedBefore = v.framesPlayed;
        const auto remaining = std::chrono::duration<double>(
            AudioFormat::seconds(v.framesQueued - std::min(v.framesQueued, v.framesPlayed)));
        const auto limit
            = std::chrono::duration_cast<Clock::duration>(remaining) + Clock::duration(kStallGrace);
        if (m_changed.wait_for(lock, limit, [&] { return !current(); }))
            break;
        if (v.ended && v.framesPlayed == playedBefore) {
            // The device has stopped asking for audio: the stream counts as over.
            silence(v);
            m_changed.notify_all();
        }
    }
}

bool AudioMixer::waitForQueuedEnd(Voice voice, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    const VoiceState& v = state(voice);
    return m_changed.wait_for(lock, timeout, [&] { return v.active && v.ended; });
}

std::optional<AudioMixer::Clock::time_point> AudioMixer::waitForFirstSample(
    Voice voice, Clock::time_point after, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    const VoiceState& v = state(voice);
    if (!m_changed.wait_for(lock, timeout, [&] { return v.started && v.firstSampleAt >= after; }))
        return std::nullopt;
    return v.firstSampleAt;
}

void AudioMixer::setDevice(Device device)
{
    std::lock_guard lock(m_mutex);
    m_device = device.wake ? std::make_shared<const Device>(std::move(device)) : nullptr;
    m_silentFrames = 0;
    m_idleTold = false;
}

bool AudioMixer::isIdle() const
{
    std::lock_guard lock(m_mutex);
    return !m_voices[0].active && !m_voices[1].active && m_device
        && m_silentFrames >= m_device->idleFrames;
}

void AudioMixer::deviceStopped()
{
    std::lock_guard lock(m_mutex);
    m_silentFrames = 0;
    m_idleTold = false;
}

void AudioMixer::mix(std::int16_t* out, std::size_t frames)
{
    std::shared_ptr<const Device> tellIdle;
    {
        std::lock_guard lock(m_mutex);
        mixLocked(out, frames);
        if (m_voices[0].active || m_voices[1].active) {
            m_silentFrames = 0;
            m_idleTold = false;
        } else {
            m_silentFrames += frames;
            if (m_device && m_device->idle && !m_idleTold
                && m_silentFrames >= m_device->idleFrames) {
                m_idleTold = true;
                tellIdle = m_device;
            }
        }
    }
    if (tellIdle)
        tellIdle->idle();
}

void AudioMixer::mixLocked(std::int16_t* out, std::size_t frames)
{
    bool notify = false;

    // A stream whose last sample went out in an earlier buffer has now been heard.
    for (VoiceState& v : m_voices) {
        if (v.active && v.ended && v.chunks.empty()) {
            silence(v);
            notify = true;
        }
    }

    std::size_t done = 0;
    while (done < frames) {
        const std::size_t block = std::min(frames - done, m_accumulator.size());
        std::fill_n(m_accumulator.begin(), block, 0);
        for (VoiceState& v : m_voices) {
            std::size_t filled = 0;
            while (v.active && filled < block && !v.chunks.empty()) {
                const AudioSamples& chunk = *v.chunks.front();
                const std::size_t n = std::min(block - filled, chunk.size() - v.offset);
                for (std::size_t i = 0; i < n; ++i)
                    m_accumulator[filled + i] += chunk[v.offset + i];
                if (!v.started) {
                    v.started = true;
                    v.firstSampleAt = Clock::now();
                    notify = true;
                }
                filled += n;
                v.offset += n;
                v.framesPlayed += n;
                if (v.offset == chunk.size()) {
                    v.chunks.pop_front();
                    v.offset = 0;
                }
            }
        }
        for (std::size_t i = 0; i < block; ++i) {
            out[done + i] = static_cast<std::int16_t>(
                std::clamp<std::int32_t>(m_accumulator[i], std::numeric_limits<std::int16_t>::min(),
                    std::numeric_limits<std::int16_t>::max()));
        }
        done += block;
    }
    if (notify)
        m_changed.notify_all();
}
