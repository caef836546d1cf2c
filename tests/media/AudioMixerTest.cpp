#include "media/AudioMixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Voice = AudioMixer::Voice;

std::vector<std::int16_t> mixed(AudioMixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames, 12345);
    mixer.mix(out.data(), out.size());
    return out;
}

SharedSamples samples(std::vector<std::int16_t> values)
{
    return std::make_shared<const AudioSamples>(std::move(values));
}

TEST(AudioMixerTest, AddsTheTwoVoicesAndClampsTheirSum)
{
    AudioMixer mixer;
    ASSERT_TRUE(mixer.begin(Voice::Sound, 1));
    mixer.append(Voice::Sound, 1, samples({ 1000, 2000, 30000, -30000, 7 }));
    mixer.end(Voice::Sound, 1);
    ASSERT_TRUE(mixer.begin(Voice::Speech, 1));
    mixer.append(Voice::Speech, 1, samples({ 500, -100 }));
    mixer.append(Voice::Speech, 1, samples({ 30000, -30000 }));

    const auto out = mixed(mixer, 8);
    EXPECT_EQ(out, (std::vector<std::int16_t> { 1500, 1900, 32767, -32768, 7, 0, 0, 0 }));
}

TEST(AudioMixerTest, StreamIsOverOnlyOnceTheBufferWithItsLastSampleHasGone)
{
    AudioMixer mixer;
    ASSERT_TRUE(mixer.begin(Voice::Sound, 3));
    mixer.append(Voice::Sound, 3, samples(std::vector<std::int16_t>(700, 100)));
    mixer.end(Voice::Sound, 3);

    auto out = mixed(mixer, 480);
    EXPECT_EQ(out.back(), 100);
    EXPECT_TRUE(mixer.isPlaying(Voice::Sound, 3));
    out = mixed(mixer, 480);
    EXPECT_EQ(out[219], 100);
    EXPECT_EQ(out[220], 0);
    EXPECT_TRUE(mixer.isPlaying(Voice::Sound, 3)) << "its last samples are still in the device";
    mixed(mixer, 480);
    EXPECT_FALSE(mixer.isPlaying(Voice::Sound, 3));
    mixer.waitDone(Voice::Sound, 3); // returns at once: the stream is over

    // A stream that is not yet ended stays open through an underrun.
    ASSERT_TRUE(mixer.begin(Voice::Speech, 4));
    mixed(mixer, 480);
    mixed(mixer, 480);
    EXPECT_TRUE(mixer.isPlaying(Voice::Speech, 4));
    mixer.append(Voice::Speech, 4, samples({ 9 }));
    EXPECT_EQ(mixed(mixer, 4)[0], 9);
}

TEST(AudioMixerTest, StopSilencesAtOnceAndRefusesEveryOlderTicket)
{
    AudioMixer mixer;
    ASSERT_TRUE(mixer.begin(Voice::Speech, 1));
    mixer.append(Voice::Speech, 1, samples(std::vector<std::int16_t>(2000, 300)));
    mixer.end(Voice::Speech, 1);
    EXPECT_EQ(mixed(mixer, 10)[9], 300);

    mixer.stop(Voice::Speech, 2);
    EXPECT_EQ(mixed(mixer, 10), std::vector<std::int16_t>(10, 0));
    EXPECT_FALSE(mixer.isPlaying(Voice::Speech, 1));
    mixer.waitDone(Voice::Speech, 1);

    // A worker that had not yet started the stopped text finds it refused, and cannot append.
    EXPECT_FALSE(mixer.begin(Voice::Speech, 1));
    mixer.append(Voice::Speech, 1, samples({ 55 }));
    EXPECT_EQ(mixed(mixer, 2), std::vector<std::int16_t>(2, 0));

    // The stop of one voice leaves the other playing.
    ASSERT_TRUE(mixer.begin(Voice::Sound, 1));
    mixer.append(Voice::Sound, 1, samples({ 1, 2, 3, 4 }));
    mixer.stop(Voice::Speech, 5);
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t> { 1, 2, 3, 4 }));
}

TEST(AudioMixerTest, NewerStreamReplacesTheOneThatPlays)
{
    AudioMixer mixer;
    ASSERT_TRUE(mixer.begin(Voice::Sound, 1));
    mixer.append(Voice::Sound, 1, samples({ 10, 10, 10, 10 }));
    mixer.end(Voice::Sound, 1);
    EXPECT_EQ(mixed(mixer, 2)[1], 10);

    ASSERT_TRUE(mixer.begin(Voice::Sound, 2));
    mixer.append(Voice::Sound, 2, samples({ 20, 20 }));
    mixer.append(Voice::Sound, 1, samples({ 99 })); // late audio of the replaced stream
    mixer.end(Voice::Sound, 2);
    EXPECT_FALSE(mixer.isPlaying(Voice::Sound, 1));
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t> { 20, 20, 0, 0 }));
    EXPECT_FALSE(mixer.begin(Voice::Sound, 1));
}

// A device that comes and goes: woken by queued audio, told once it has played only silence for
// its idle time, and never needed for a stream that has nothing to hear.
TEST(AudioMixerTest, WakesTheDeviceForAudioAndTellsItOnceWhenSilenceHasLasted)
{
    AudioMixer mixer;
    int wakes = 0;
    int idles = 0;
    bool present = true;
    mixer.setDevice({ [&] {
                         ++wakes;
                         return present;
                     },
        [&] { ++idles; }, 100 });

    // Nothing to hear: over at once, without the device.
    ASSERT_TRUE(mixer.begin(Voice::Speech, 1));
    mixer.end(Voice::Speech, 1);
    EXPECT_FALSE(mixer.isPlaying(Voice::Speech, 1));
    EXPECT_EQ(wakes, 0);

    ASSERT_TRUE(mixer.begin(Voice::Sound, 1));
    mixer.append(Voice::Sound, 1, samples(std::vector<std::int16_t>(60, 5)));
    mixer.end(Voice::Sound, 1);
    EXPECT_EQ(wakes, 1);
    mixed(mixer, 60);
    EXPECT_FALSE(mixer.isIdle()) << "busy while its last buffer is in the device";
    mixed(mixer, 60); // the stream is over: 60 frames of silence
    EXPECT_FALSE(mixer.isPlaying(Voice::Sound, 1));
    EXPECT_FALSE(mixer.isIdle());
    EXPECT_EQ(idles, 0);
    mixed(mixer, 60);
    EXPECT_TRUE(mixer.isIdle());
    EXPECT_EQ(idles, 1);
    mixed(mixer, 60);
    EXPECT_EQ(idles, 1) << "told once per silence";

    // A new stream makes the device busy again, and the silence is counted afresh.
    ASSERT_TRUE(mixer.begin(Voice::Speech, 2));
    EXPECT_FALSE(mixer.isIdle());
    mixed(mixer, 60);
    mixer.end(Voice::Speech, 2);
    mixer.deviceStopped();
    mixed(mixer, 60);
    mixed(mixer, 60);
    EXPECT_EQ(idles, 2);

    // No device to be had: the stream is over at once and its wait does not hold the caller.
    present = false;
    ASSERT_TRUE(mixer.begin(Voice::Sound, 2));
    mixer.append(Voice::Sound, 2, samples(std::vector<std::int16_t>(48000 * 5, 7)));
    EXPECT_FALSE(mixer.isPlaying(Voice::Sound, 2));
    mixer.end(Voice::Sound, 2);
    mixer.waitDone(Voice::Sound, 2);
    EXPECT_EQ(mixed(mixer, 4), std::vector<std::int16_t>(4, 0));
}

} // namespace
