// A long run of the drill as a child would drive it: the real data folder (the sample cards),
// the real sound player on SDL's disk driver and the best speech voice this machine has, with
// the drill's events taken one at a time from a queue as the window's event loop would. Every
// tenth answer is wrong. Every thousand cards the options and the selection are saved and the
// drill is activated again, as a settings window would leave it.
//
// Fails (exit status 1) when a speech completion does not come within a minute, when a card
// presented is not judged, when a judgement is not the one the typing asked for, or when the
// resident memory after the first tenth of the run moves by more than the tolerance.
//
//   tapomi_drill_soak [CARDS] [TOLERANCE_MIB]      defaults: 10000 cards, 5 MiB
//
// A tolerance of 0 leaves the memory unchecked, for runs too short to settle.

#include "common/ProgramState.h"
#include "common/WarningBox.h"
#include "data/DataFolder.h"
#include "drill/DrillSession.h"
#include "drill/DrillView.h"
#include "media/EngineSpeechVoice.h"
#include "media/MediaSystem.h"

#include "DiskAudioSink.h"
#include "UiQueue.h"
#include "WaveBytes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "soak failed: %s\n", what.c_str());
    std::exit(1);
}

long residentKiB()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The drill window reduced to what a run needs: its timers, its label captions, and a count of
// the pictures it was asked to show.
class SoakView final : public DrillView
{
public:
    void setVisible(Widget, bool) override { }
    void setCaption(Widget label, std::u16string_view text) override
    {
        captions[label] = std::u16string(text);
    }
    void preparePicture(std::u16string_view) override { }
    void prepareSetupPicture() override { }
    void loadPicture(std::u16string_view path) override
    {
        ++picturesLoaded;
        if (!std::filesystem::exists(std::filesystem::path(std::u16string(path))))
            ++picturesMissing;
    }
    void setTimerEnabled(Timer timer, bool enabled) override { timers[timer] = enabled; }
    bool isTimerEnabled(Timer timer) const override
    {
        const auto it = timers.find(timer);
        return it != timers.end() && it->second;
    }
    void setTimerInterval(Timer, std::int32_t) override { }
    void showSettingsWindow(SettingsWindow) override { }
    void endProgram() override { ended = true; }
    void showEmptyDeckHint(bool visible) override { emptyDeck = visible; }
    TwipSize screenSize() const override { return { 19200, 10800 }; }
    TwipSize windowSize() const override { return { 19200, 10800 }; }
    TwipSize clientSize() const override { return { 19200, 10800 }; }
    void setWindowGeometry(TwipRect) override { }
    void setGeometry(Widget, TwipRect) override { }
    void moveTo(Widget, std::int32_t, std::int32_t) override { }
    void setFontSize(Widget, int) override { }
    void setTextColour(Widget, Colour) override { }
    // A glyph's ink as a square inside its em, enough for the mark to be fitted.
    TwipRect inkBounds(Widget, std::u16string_view, int points) const override
    {
        return { points * 2, points * 2, points * 16, points * 16 };
    }

    std::map<Widget, std::u16string> captions;
    std::map<Timer, bool> timers;
    long picturesLoaded = 0;
    long picturesMissing = 0;
    bool ended = false;
    bool emptyDeck = false;
};

class NoWarnings final : public WarningBox
{
public:
    void ShowWarning(std::u16string_view, std::u16string_view) override { fail("a warning"); }
};

class SeededRandom final : public RandomSource
{
public:
    void ReseedFromClock() override { }
    double NextUniform() override { return std::uniform_real_distribution<double>()(m_engine); }

private:
    std::mt19937_64 m_engine { 12 };
};

// The folder of sample cards, the praise file and a short tone for every kana and judgement.
std::filesystem::path prepareWorkingDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tapomi-soak-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        fail("no working directory");
    const std::filesystem::path working = pattern;
    std::filesystem::create_directory(working / "cards");
    std::set<char16_t> kana;
    for (const auto& entry : std::filesystem::directory_iterator(TAPOMI_SOURCE_DIR "/samples")) {
        if (entry.path().extension() == ".txt")
            continue;
        std::filesystem::copy_file(entry.path(), working / "cards" / entry.path().filename());
        for (char16_t unit : entry.path().stem().u16string())
            kana.insert(unit);
    }
    for (char16_t unit = u'ぁ'; unit <= u'ん'; ++unit)
        kana.insert(unit);
    kana.insert(u'ー');
    const auto tone = wavebytes::native(wavebytes::ramp(1200, 100)); // 25 ms
    for (char16_t unit : kana)
        wavebytes::write(working / std::filesystem::path(std::u16string(1, unit) + u".wav"), tone);
    for (const char16_t* name : { u"ピンポン.wav", u"ブー.wav" })
        wavebytes::write(working / std::filesystem::path(std::u16string(name)), tone);
    return working;
}

// The keys that type a word on the layout in use: a kana of the key table, or its base
// followed by the voiced or semi-voiced mark key.
std::string keysFor(const KanaInput& input, std::u16string_view word)
{
    const auto keyOf = [&input](char16_t kana) -> int {
        for (int i = 0; i < KanaInput::kKeyTableCapacity; ++i) {
            if (input.KanaTable()[static_cast<std::size_t>(i)] == std::u16string(1, kana))
                return input.KeyCodes()[static_cast<std::size_t>(i)];
        }
        return -1;
    };
    std::string keys;
    for (char16_t kana : word) {
        if (const int key = keyOf(kana); key > 0) {
            keys += static_cast<char>(key);
        } else if (const int voiced = keyOf(static_cast<char16_t>(kana - 1)); voiced > 0) {
            keys += static_cast<char>(voiced);
            keys += static_cast<char>(KanaInput::VoicedMarkKey);
        } else if (const int semi = keyOf(static_cast<char16_t>(kana - 2)); semi > 0) {
            keys += static_cast<char>(semi);
            keys += static_cast<char>(KanaInput::SemiVoicedMarkKey);
        } else {
            fail("no key types a kana of the word");
        }
    }
    return keys;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows while the run goes on
    const long cards = argc > 1 ? std::atol(argv[1]) : 10000;
    const long toleranceKiB = (argc > 2 ? std::atol(argv[2]) : 5) * 1024;
    const long warmUp = std::max(1L, cards / 10);
    ::setenv("SDL_AUDIODRIVER", "disk", 0);
    ::setenv("SDL_DISKAUDIODELAY", "0", 0); // as fast as the mixer fills buffers

    const std::filesystem::path working = prepareWorkingDirectory();
    if (!DiskAudioSink::open(working))
        fail("no pipe for the disk audio driver's output");
    std::filesystem::current_path(working); // the sound files are the working directory's
    const auto started = Clock::now();
    long minKiB = 0;
    long maxKiB = 0;
    long judged = 0;
    long superseded = 0;
    long picturesLoaded = 0;
    {
        UiQueue events;
        MediaSystem media(events.poster(), DrillSession::FixedSentences());
        media.start();
        // Without an audio device no engine is started either: a named engine means both the
        // real player's device and a real voice are in use.
        const auto& engineVoice = dynamic_cast<const EngineSpeechVoice&>(media.speech());
        const char* engine = engineVoice.waitForEngine(std::chrono::seconds(60));
        if (engine == nullptr)
            fail("no audio device or no speech engine: the soak needs both");
        std::printf("voice: %s\n", engine);

        ProgramState program;
        program.ArgumentText = u"cards";
        NoWarnings warnings;
        DataFolder data(program, warnings, working);
        SoakView view;
        SeededRandom random;
        DrillSession session(program, view, data, media.sound(), media.speech(), random);
        media.speech().setDoneHandler([&session] { session.PtSvr1_SpeechDone(); });
        const DrillState& state = session.state();

        const auto press = [&](int key) {
            session.Form_KeyPress(static_cast<std::int16_t>(key));
            if (view.isTimerEnabled(Timer::Timer2))
                session.Timer2_Timer(); // the key guard's time has passed
        };
        // Runs queued events until the drill has nothing more to hear.
        const auto untilSpoken = [&] {
            while (state.Speaking) {
                if (!events.waitForPost(std::chrono::seconds(60)))
                    fail("no speech completion within a minute, card " + std::to_string(judged));
                events.run();
            }
        };

        if (!session.Form_Load())
            fail("start-up ended the program");
        session.Form_Activate();
        if (state.SetupPictureShown)
            press(DrillSession::kEnterKey);

        while (judged < cards) {
            untilSpoken();
            if (state.WordLength == 0 || state.Answered)
                fail("no card to type");
            const bool right = judged % 10 != 9;
            const std::u16string word = state.CurrentWord;
            for (char key : keysFor(session.kanaInput(), right ? word : word.substr(0, 1)))
                press(static_cast<unsigned char>(key));
            if (state.TypedText != (right ? word : word.substr(0, 1)))
                fail("the typing did not give the word");
            press(DrillSession::kEnterKey);
            if (!state.Answered)
                fail("Enter gave no judgement");
            if (view.captions[Widget::Label3] != (right ? u"○" : u"Ｘ"))
                fail("judged against what was typed");
            ++judged;
            untilSpoken();
            session.Timer1_Timer();

            if (judged % 1000 == 0) {
                // What the two settings windows do when they hand back: save, then activate,
                // which supersedes the card just presented.
                data.SaveSettings();
                data.SaveSelection();
                session.Form_Activate();
                ++superseded;
            }
            if (judged >= warmUp && (judged % 100 == 0 || judged == warmUp)) {
                const long kib = residentKiB();
                minKiB = minKiB == 0 ? kib : std::min(minKiB, kib);
                maxKiB = std::max(maxKiB, kib);
            }
            if (judged % 1000 == 0)
                std::printf("%ld cards, %ld KiB resident, %.1f s\n", judged, residentKiB(),
                    std::chrono::duration<double>(Clock::now() - started).count());
        }
        picturesLoaded = view.picturesLoaded;
        if (view.picturesMissing != 0)
            fail("pictures that do not exist were loaded");
        if (view.ended || view.emptyDeck)
            fail("the drill ended or lost its deck");
        media.sound().StopSound();
        media.speech().StopSpeech();
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(working);

    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf("%ld cards judged (%ld presented, %ld superseded by an activation) in %.1f s, "
                "%.2f ms a card\n",
        judged, picturesLoaded, superseded, seconds, seconds * 1000 / static_cast<double>(judged));
    std::printf("resident after card %ld: %ld to %ld KiB (spread %ld KiB, tolerance %ld KiB)\n",
        warmUp, minKiB, maxKiB, maxKiB - minKiB, toleranceKiB);
    // Every card presented was judged, except the one on screen at the end and those an
    // activation replaced before they could be.
    if (picturesLoaded != judged + superseded + 1)
        fail("a card presented was never judged");
    if (toleranceKiB > 0 && maxKiB - minKiB > toleranceKiB)
        fail("resident memory is not flat");
    return 0;
}
