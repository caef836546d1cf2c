// Speed of the sound and speech path, on the real audio device or, when none is chosen, on SDL's
// disk driver writing to a file (which keeps real time like a sound card).
#include "media/AudioMixer.h"
#include "media/EngineSpeechVoice.h"
#include "media/EspeakEngine.h"
#include "media/OpenJTalkEngine.h"
#include "media/SdlAudioOutput.h"
#include "media/WaveSoundPlayer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Voice = AudioMixer::Voice;

double millis(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// SDL's disk driver writing into the rig's folder, unless an audio driver was chosen when the
// benchmark started. (SDL 2.32 refuses /dev/null as the disk driver's output.)
void useDiskDeviceUnlessChosen(const fs::path& folder)
{
    static const bool chosen = std::getenv("SDL_AUDIODRIVER") != nullptr;
    if (chosen)
        return;
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);
}

void writeWave(const fs::path& path, std::size_t frames)
{
    std::ofstream out(path, std::ios::binary);
    const auto put32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    put32(static_cast<std::uint32_t>(36 + frames * 2));
    out << "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(48000);
    put32(96000);
    put16(2);
    put16(16);
    out << "data";
    put32(static_cast<std::uint32_t>(frames * 2));
    for (std::size_t i = 0; i < frames; ++i)
        put16(static_cast<std::uint16_t>(i % 100 < 50 ? 3000 : -3000));
}

// Holds the device, the mixer and a folder of sounds as the working directory.
struct Rig
{
    Rig()
    {
        folder = fs::temp_directory_path() / ("tapomi-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        useDiskDeviceUnlessChosen(folder);
        previous = fs::current_path();
        fs::current_path(folder);
        output = SdlAudioOutput::open(mixer);
    }
    ~Rig()
    {
        output.reset();
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    AudioMixer mixer;
    std::unique_ptr<SdlAudioOutput> output;
    fs::path folder;
    fs::path previous;
};

// Key press to the kana's first sample handed to the device: PlaySound's own work (a cached
// file, checked on disk) and the wait for the device's next buffer. afterIdle: each key comes
// after the drill has waited long enough for the idle device to close, so the key's sound opens
// it again and its first buffer carries the kana.
void measureKeyToFirstSample(benchmark::State& state, bool afterIdle)
{
    Rig rig;
    if (!rig.output) {
        state.SkipWithError("no audio device");
        return;
    }
    writeWave(rig.folder / "か.wav", 9600);
    WaveSoundPlayer player(rig.mixer);
    player.PlaySound(u"か.wav"); // the first play decodes; the drill's later ones are cached
    player.StopSound();
    double processing = 0;
    double total = 0;
    for (auto _ : state) {
        if (afterIdle && !rig.output->waitUntilClosed(std::chrono::seconds(10))) {
            state.SkipWithError("the idle device did not close");
            return;
        }
        const auto start = Clock::now();
        player.PlaySound(u"か.wav");
        const auto played = Clock::now();
        const auto first
            = rig.mixer.waitForFirstSample(Voice::Sound, start, std::chrono::seconds(2));
        player.StopSound();
        if (!first) {
            state.SkipWithError("the sound never reached the device");
            return;
        }
        processing += millis(played - start);
        total += millis(*first - start);
        state.SetIterationTime(std::chrono::duration<double>(*first - start).count());
    }
    state.counters["processing_ms"]
        = benchmark::Counter(processing, benchmark::Counter::kAvgIterations);
    state.counters["to_device_ms"] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

void BM_KeyToFirstSample(benchmark::State& state)
{
    measureKeyToFirstSample(state, false);
}
BENCHMARK(BM_KeyToFirstSample)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_KeyToFirstSampleAfterIdle(benchmark::State& state)
{
    measureKeyToFirstSample(state, true);
}
BENCHMARK(BM_KeyToFirstSampleAfterIdle)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

// CPU used while the drill waits for a 5-second sound to end.
void BM_CpuWhileWaitingForSound(benchmark::State& state)
{
    Rig rig;
    if (!rig.output) {
        state.SkipWithError("no audio device");
        return;
    }
    writeWave(rig.folder / "ブー.wav", 5 * 48000);
    WaveSoundPlayer player(rig.mixer);
    for (auto _ : state) {
        timespec threadStart {};
        timespec processStart {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &threadStart);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &processStart);
        const auto start = Clock::now();
        player.PlaySound(u"ブー.wav");
        player.WaitForSoundEnd();
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        timespec threadEnd {};
        timespec processEnd {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &threadEnd);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &processEnd);
        const auto seconds = [](const timespec& a, const timespec& b) {
            return static_cast<double>(b.tv_sec - a.tv_sec)
                + static_cast<double>(b.tv_nsec - a.tv_nsec) / 1e9;
        };
        state.counters["wait_s"] = wall;
        state.counters["waiting_thread_cpu_pct"] = 100 * seconds(threadStart, threadEnd) / wall;
        state.counters["process_cpu_pct"] = 100 * seconds(processStart, processEnd) / wall;
        state.SetIterationTime(wall);
    }
}
BENCHMARK(BM_CpuWhileWaitingForSound)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

std::string testVoice()
{
    if (const char* chosen = std::getenv("TAPOMI_HTSVOICE"); chosen && *chosen)
        return chosen;
    const fs::path voice
        = fs::path(TAPOMI_SOURCE_DIR) / "assets" / "voice" / "tohoku-f01-neutral.htsvoice";
    std::error_code error;
    return fs::is_regular_file(voice, error) ? voice.string() : std::string();
}

// SpeakText to the first sample of the sentence handed to the device.
void speakToFirstAudio(benchmark::State& state, std::unique_ptr<SpeechEngine> engine, bool cached)
{
    Rig rig;
    if (!rig.output || !engine) {
        state.SkipWithError(!rig.output ? "no audio device" : "engine not installed");
        return;
    }
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::move(engine));
    EngineSpeechVoice voice(std::move(engines), rig.mixer, [](std::function<void()>) {});
    // More words than the cache holds, so that the uncached runs always synthesize.
    const std::u16string words[] = { u"りんご", u"みかん", u"いちご", u"ばなな", u"すいか",
        u"めろん", u"ぶどう", u"もも", u"なし", u"かき", u"くり", u"れもん", u"きうい", u"とまと",
        u"なす", u"きゅうり", u"だいこん", u"にんじん", u"ねぎ", u"たまねぎ" };
    std::size_t next = 0;
    const std::u16string fixed = u"もう一度、やりなおしてね。";
    if (cached) {
        voice.SpeakText(fixed);
        rig.mixer.waitForFirstSample(
            Voice::Speech, Clock::now() - std::chrono::hours(1), std::chrono::seconds(10));
    }
    double total = 0;
    double queued = 0;
    for (auto _ : state) {
        const std::u16string text = cached
            ? fixed
            : u"よくできました。これが、" + words[next++ % std::size(words)] + u"、だね。";
        const auto start = Clock::now();
        voice.SpeakText(text);
        if (cached) {
            // From the cache the whole sentence is handed over at once; this is the part that
            // does not depend on the device's buffer.
            rig.mixer.waitForQueuedEnd(Voice::Speech, std::chrono::seconds(10));
            queued += millis(Clock::now() - start);
        }
        const auto first
            = rig.mixer.waitForFirstSample(Voice::Speech, start, std::chrono::seconds(10));
        voice.StopSpeech();
        if (!first) {
            state.SkipWithError("no audio came");
            return;
        }
        total += millis(*first - start);
        state.SetIterationTime(std::chrono::duration<double>(*first - start).count());
    }
    state.counters["to_first_audio_ms"]
        = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
    if (cached)
        state.counters["queued_ms"]
            = benchmark::Counter(queued, benchmark::Counter::kAvgIterations);
}

void BM_SpeakToFirstAudio_Espeak(benchmark::State& state)
{
    speakToFirstAudio(state, EspeakEngine::create(JapaneseReading::create()), false);
}
BENCHMARK(BM_SpeakToFirstAudio_Espeak)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

void BM_SpeakToFirstAudio_OpenJTalk(benchmark::State& state)
{
    speakToFirstAudio(state, OpenJTalkEngine::create(testVoice()), false);
}
BENCHMARK(BM_SpeakToFirstAudio_OpenJTalk)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

void BM_SpeakToFirstAudio_Cached(benchmark::State& state)
{
    speakToFirstAudio(state, EspeakEngine::create(JapaneseReading::create()), true);
}
BENCHMARK(BM_SpeakToFirstAudio_Cached)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
