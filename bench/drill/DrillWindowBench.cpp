// Figures of the drill window: presenting a card with a 12-megapixel photo, the time from a key
// press to its echo on screen, and the processor time spent while the drill waits for a key.

#include "app/qt/FailureReport.h"
#include "app/qt/QtText.h"
#include "app/qt/TwipScale.h"
#include "drill/ClockRandom.h"
#include "drill/DrillSession.h"
#include "drill/qt/Form1.h"
#include "drill/qt/PictureLoader.h"
#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// The card picture box of a 1920 × 1080 window: two thirds of its width and height.
const QSize kCardBox(1280, 720);

// A 4000 × 3000 JPEG with the detail of a photograph (gradients and grain), written once; about
// 4 MB, as a 12-megapixel camera photo is.
const QString& twelveMegapixelJpeg()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage photo(4000, 3000, QImage::Format_RGB32);
        QRandomGenerator noise(12345);
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                const int grain = static_cast<int>(noise.bounded(24));
                line[x]
                    = qRgb((x / 16 + grain) & 0xFF, (y / 12 + grain) & 0xFF, ((x + y) / 28) & 0xFF);
            }
        }
        const QString file = dir.filePath(QStringLiteral(u"しゃしん.jpg"));
        photo.save(file, "JPEG", 90);
        return file;
    }();
    return path;
}

// A deck of given pictures with no key guard and no set-up picture, so that every key counts.
class BenchData final : public DataStore
{
public:
    BenchData(ProgramState& program, std::vector<std::u16string> pictures)
        : m_program(program)
        , m_pictures(std::move(pictures))
    { }

    void LoadSettings() override
    {
        m_program.settings.ShowSetupPicture = kFalse;
        m_program.settings.KeyGuardTenths = 0;
    }
    void SaveSettings() override { }
    bool ListPictures() override
    {
        for (const std::u16string& name : m_pictures)
            m_program.AllPictures[m_program.AllPictureCount++] = name;
        return m_program.AllPictureCount > 0;
    }
    void LoadSelection() override
    {
        m_program.Deck = m_program.AllPictures;
        m_program.DeckCount = m_program.AllPictureCount;
    }
    void SaveSelection() override { }
    void LoadPraisePhrases(PraisePhraseList&) override { }

private:
    ProgramState& m_program;
    std::vector<std::u16string> m_pictures;
};

// Sounds that end at once, so that what is measured is the window.
class InstantSound final : public SoundPlayer
{
public:
    void PlaySound(std::u16string_view) override { }
    void WaitForSoundEnd() override { }
    void StopSound() override { }
};

// Speech that is over as soon as it is asked for.
class InstantSpeech final : public SpeechVoice
{
public:
    void setDoneHandler(DoneHandler handler) override { m_done = std::move(handler); }
    void SpeakText(std::u16string_view) override { m_pending = true; }
    void StopSpeech() override { m_pending = false; }
    void finish()
    {
        if (m_pending && m_done) {
            m_pending = false;
            m_done();
        }
    }

private:
    DoneHandler m_done;
    bool m_pending = false;
};

// The drill window sized like a 1920 × 1080 screen.
struct DrillWindow
{
    explicit DrillWindow(std::vector<std::u16string> pictures)
        : data(program, std::move(pictures))
    {
        form.attach(session);
        speech.setDoneHandler([this] { form.speechDone(); });
        form.load();
        form.resize(1920, 1080);
        form.show();
        QCoreApplication::processEvents();
        const TwipScale scale = TwipScale::forScreen(form.screen());
        form.setGeometry(Widget::Image1,
            { scale.toTwips(320), scale.toTwips(51), scale.toTwips(kCardBox.width()),
                scale.toTwips(kCardBox.height()) });
    }

    ProgramState program;
    BenchData data;
    InstantSound sound;
    InstantSpeech speech;
    ClockRandom random;
    FailureReport failure { [](const QString&) {} };
    Form1 form { failure };
    DrillSession session { program, form, data, sound, speech, random };
};

void BM_PresentCardScaledDecode(benchmark::State& state)
{
    const QString path = twelveMegapixelJpeg();
    DrillWindow window({ u"しゃしん.jpg" });
    QWidget* image1 = window.form.findChild<QWidget*>(QStringLiteral("Image1"));
    for (auto _ : state) {
        window.form.loadPicture(QtText::toU16(path));
        image1->repaint();
    }
}
BENCHMARK(BM_PresentCardScaledDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same card the slow way: the whole photo decoded, then scaled to the box.
void BM_PresentCardFullDecodeThenScale(benchmark::State& state)
{
    const QString path = twelveMegapixelJpeg();
    for (auto _ : state) {
        const QImage full(path);
        QImage scaled = full.scaled(kCardBox, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.bits());
    }
}
BENCHMARK(BM_PresentCardFullDecodeThenScale)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// From the key press delivered by Qt to the echo painted, one key at a time; the 99th
// percentile is reported next to the mean.
void BM_KeyPressToEchoPainted(benchmark::State& state)
{
    DrillWindow window({ u"でんしゃ.gif" });
    window.form.activate();
    window.speech.finish();
    std::vector<double> milliseconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(&window.form, ',');
        const auto end = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        state.PauseTiming();
        QTest::keyClick(&window.form, Qt::Key_Backspace);
        state.ResumeTiming();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    if (!milliseconds.empty()) {
        state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
        state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    }
}
BENCHMARK(BM_KeyPressToEchoPainted)->Unit(benchmark::kMillisecond)->Iterations(2000);

double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The drill waiting for the child's next key: no timer runs, so the event loop should sleep.
void BM_IdleWhileWaitingForAKey(benchmark::State& state)
{
    DrillWindow window({ u"でんしゃ.gif" });
    window.form.activate();
    window.speech.finish();
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu += processCpuSeconds() - cpuBefore;
    }
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
}
BENCHMARK(BM_IdleWhileWaitingForAKey)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
