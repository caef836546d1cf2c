// Figures of the drill window: presenting a card with a 12-megapixel photo, the card change after
// a right answer with the next photo read ahead, start-up to the first card on screen with a full
// folder, the time from a key press to its echo on screen and from Enter to the mark on screen
// (each without and with a child's record being written), and the processor time spent while
// the drill waits for a key.

#include "common/qt/FailureReport.h"
#include "common/qt/QtText.h"
#include "common/qt/QtWarningBox.h"
#include "common/qt/TwipScale.h"
#include "data/DataFolder.h"
#include "drill/ClockRandom.h"
#include "drill/DrillSession.h"
#include "drill/qt/Form1.h"
#include "drill/qt/PictureBox.h"
#include "drill/qt/PictureLoader.h"
#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"
#include "record/ChildRecorder.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "record/SystemRecordClock.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The card picture box of a 1920 × 1080 window: two thirds of its width, and two thirds of its
// height less what keeps it clear of the word line.
const QSize kCardBox(1280, 692);

// A 4000 × 3000 JPEG with the detail of a photograph (gradients and grain), written once per
// grain. Grain 12 gives about 2.6 MB, a typical 12-megapixel camera photo; grain 24 about 4.2
// MB, a very detailed one.
QString twelveMegapixelJpeg(int grain)
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral(u"しゃしん%1.jpg").arg(grain));
    if (QFileInfo::exists(file))
        return file;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator noise(12345);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int g = static_cast<int>(noise.bounded(grain));
            line[x] = qRgb((x / 16 + g) & 0xFF, (y / 12 + g) & 0xFF, ((x + y) / 28) & 0xFF);
        }
    }
    photo.save(file, "JPEG", 90);
    return file;
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

    // A child's record written as the drill goes, as when the launcher starts the drill for a
    // child: the writer thread commits each answer to a real file.
    void recordInto(const QString& folder)
    {
        const std::filesystem::path file = folder.toStdString() + "/records.sqlite";
        const std::int64_t child = RecordStore(file).addChild(u"はなこ");
        writer = std::make_unique<RecordWriter>(file);
        recorder = std::make_unique<ChildRecorder>(
            *writer, clock, program.settings, child, u"はなこ", "/home/sensei/えカード");
        session.setRecord(recorder.get());
    }

    ProgramState program;
    BenchData data;
    InstantSound sound;
    InstantSpeech speech;
    ClockRandom random;
    FailureReport failure { [](const QString&) {} };
    Form1 form { failure };
    DrillSession session { program, form, data, sound, speech, random };
    SystemRecordClock clock;
    std::unique_ptr<RecordWriter> writer;
    std::unique_ptr<ChildRecorder> recorder;
};

// A card whose picture was not read ahead: decoded when it is presented. Two copies of the photo
// take turns, since the window keeps the picture it shows for a wrong answer's repeat.
void BM_PresentCardScaledDecode(benchmark::State& state)
{
    const QString path = twelveMegapixelJpeg(static_cast<int>(state.range(0)));
    static QTemporaryDir copies;
    const QString paths[] = { copies.filePath(QStringLiteral("a%1.jpg").arg(state.range(0))),
        copies.filePath(QStringLiteral("b%1.jpg").arg(state.range(0))) };
    for (const QString& copy : paths)
        QFile::copy(path, copy);
    DrillWindow window({ u"しゃしん.jpg" });
    QWidget* image1 = window.form.findChild<QWidget*>(QStringLiteral("Image1"));
    std::size_t turn = 0;
    for (auto _ : state) {
        window.form.loadPicture(QtText::toU16(paths[turn++ % 2]));
        image1->repaint();
    }
    state.counters["file_MB"] = QFileInfo(path).size() / 1e6;
}
BENCHMARK(BM_PresentCardScaledDecode)
    ->Arg(12)
    ->Arg(24)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    }
    return 0;
}

// A right answer's Enter to the next card on screen: the feedback tick that finds the sentence
// spoken presents the next card and the window paints it. Both cards are very detailed
// 12-megapixel photos; the next one has been read ahead while the child worked (the feedback
// lasts a second at least, and the prefetch is waited for as that second would allow).
void BM_CardChangeAfterARightAnswer(benchmark::State& state)
{
    static QTemporaryDir folder;
    const QString photo = twelveMegapixelJpeg(24);
    for (const QString& name : { QStringLiteral(u"いぬ.jpg"), QStringLiteral(u"ねこ.jpg") })
        QFile::copy(photo, folder.filePath(name));
    DrillWindow window({ u"いぬ.jpg", u"ねこ.jpg" });
    window.program.DataPrefix = QtText::toU16(folder.path() + QLatin1Char('/'));
    window.form.activate();
    window.speech.finish();
    QWidget* image1 = window.form.findChild<QWidget*>(QStringLiteral("Image1"));
    std::vector<double> milliseconds;
    double firstRss = 0;
    for (auto _ : state) {
        // Talking Aid keys: いぬ is E then 1, ねこ is , then B.
        const bool dog = window.session.state().CurrentWord == u"いぬ";
        QTest::keyClicks(&window.form, dog ? QStringLiteral("e1") : QStringLiteral(",b"));
        QTest::keyClick(&window.form, Qt::Key_Return);
        window.speech.finish();
        window.form.picturePrefetch().waitUntilPrepared(std::chrono::seconds(10));

        const auto start = std::chrono::steady_clock::now();
        window.session.Timer1_Timer();
        window.form.repaint();
        const auto end = std::chrono::steady_clock::now();
        if (!image1->isVisible() || window.session.state().Answered) {
            state.SkipWithError("the next card was not presented");
            return;
        }
        const double ms = std::chrono::duration<double, std::milli>(end - start).count();
        milliseconds.push_back(ms);
        state.SetIterationTime(ms / 1000);
        window.speech.finish();
        if (milliseconds.size() == 1)
            firstRss = residentMiB();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    if (!milliseconds.empty()) {
        state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
        state.counters["max_ms"] = milliseconds.back();
        // Pictures come and go at every card: the memory they take must not pile up.
        state.counters["rss_growth_MiB"] = residentMiB() - firstRss;
    }
}
BENCHMARK(BM_CardChangeAfterARightAnswer)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

// A picture folder as full as it can be: 101 cards made from the samples, in all three formats.
const QString& fullFolder()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QDir samples(QStringLiteral(TAPOMI_SAMPLES_DIR));
        const QStringList pictures = samples.entryList(
            { QStringLiteral("*.jpg"), QStringLiteral("*.gif"), QStringLiteral("*.bmp") },
            QDir::Files);
        const QString kana = QStringLiteral(u"あいうえおかきくけこさしすせそたちつてとなにぬねの");
        QDir cards(dir.path());
        cards.mkdir(QStringLiteral("cards"));
        cards.cd(QStringLiteral("cards"));
        for (int i = 0; i < 101; ++i) {
            const QString& source = pictures[i % pictures.size()];
            const QString word = source.section(QLatin1Char('.'), 0, 0) + kana[i % kana.size()]
                + kana[i / kana.size()];
            QFile::copy(samples.filePath(source),
                cards.filePath(word + QLatin1Char('.') + source.section(QLatin1Char('.'), -1)));
        }
        // Straight to the first card: the set-up picture is switched off in the folder's
        // settings, as a teacher would.
        ProgramState program;
        QByteArray argument = cards.path().toUtf8();
        char name[] = "tapomi";
        char* argv[] = { name, argument.data(), nullptr };
        program.ArgumentText = DataFolder::ArgumentText(2, argv);
        QtWarningBox warnings;
        DataFolder data(program, warnings, dir.path().toStdString());
        data.LoadSettings();
        program.settings.ShowSetupPicture = kFalse;
        data.SaveSettings();
        return cards.path();
    }();
    return path;
}

// From the start of the program's own work (the state, the data folder, the window and its
// logic) to the first card painted, on a folder of 101 pictures whose data files exist.
void BM_StartUpToFirstCardPainted(benchmark::State& state)
{
    const QString folder = fullFolder();
    const std::filesystem::path working = QFileInfo(folder).path().toStdString();
    QByteArray argument = folder.toUtf8();
    char program[] = "tapomi";
    char* argv[] = { program, argument.data(), nullptr };
    for (auto _ : state) {
        ProgramState programState;
        programState.ArgumentText = DataFolder::ArgumentText(2, argv);
        QtWarningBox warnings;
        DataFolder data(programState, warnings, working);
        InstantSound sound;
        InstantSpeech speech;
        ClockRandom random;
        FailureReport failure([](const QString&) {});
        Form1 form(failure);
        DrillSession session(programState, form, data, sound, speech, random);
        form.attach(session);
        if (!form.load()) {
            state.SkipWithError("start-up failed");
            break;
        }
        // The set-up picture is not shown, so the first activation presents the first card.
        form.show();
        form.activate();
        form.repaint();
        // The first frame holds the card's picture: waited for if the painting got there first.
        auto* image1 = form.findChild<PictureBox*>(QStringLiteral("Image1"));
        if (!image1->isVisible() || image1->image().isNull()) {
            state.SkipWithError("no card was presented");
            break;
        }
        state.PauseTiming();
        form.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstCardPainted)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same card the slow way: the whole photo decoded, then scaled to the box.
void BM_PresentCardFullDecodeThenScale(benchmark::State& state)
{
    const QString path = twelveMegapixelJpeg(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QImage full(path);
        QImage scaled = full.scaled(kCardBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.bits());
    }
}
BENCHMARK(BM_PresentCardFullDecodeThenScale)
    ->Arg(12)
    ->Arg(24)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

// The set-up picture as start-up reads it for a 1920 × 1080 screen, on the picture worker: the
// 1600 × 1200 drawing decoded and scaled once into its fitted 1440 × 1080. Arg 1: stretched over
// the whole screen instead, as it was drawn before it kept its shape.
void BM_SetupPictureForAFullHdScreen(benchmark::State& state)
{
    const QString setup = QStringLiteral(":/tapomi/setup@2x.png");
    const QSize screen(1920, 1080);
    for (auto _ : state) {
        QImage image;
        if (state.range(0) == 0) {
            image = PictureLoader::load(setup, screen);
        } else {
            const QImage drawing = QImage(setup).convertToFormat(QImage::Format_RGB32);
            image = QImage(screen, QImage::Format_RGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QRect(QPoint(), screen), drawing);
        }
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_SetupPictureForAFullHdScreen)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// From the key press delivered by Qt to the echo painted, one key at a time; the 99th
// percentile is reported next to the mean.
void BM_KeyPressToEchoPainted(benchmark::State& state)
{
    DrillWindow window({ u"でんしゃ.gif" });
    QTemporaryDir records;
    if (state.range(0) != 0)
        window.recordInto(records.path());
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
BENCHMARK(BM_KeyPressToEchoPainted)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2000);

// From Enter delivered by Qt to the mark painted, on a right answer; the next presentation of the
// card is not timed. With a record, the answer is handed to the writer thread within the Enter.
void BM_EnterToMarkPainted(benchmark::State& state)
{
    DrillWindow window({ u"でんしゃ.gif" });
    QTemporaryDir records;
    if (state.range(0) != 0)
        window.recordInto(records.path());
    window.form.activate();
    window.speech.finish();
    QWidget* label3 = window.form.findChild<QWidget*>(QStringLiteral("Label3"));
    std::vector<double> milliseconds;
    for (auto _ : state) {
        state.PauseTiming();
        // Talking Aid keys: で is W and the voiced mark, ん Y, し D, ゃ the apostrophe.
        QTest::keyClicks(&window.form, QStringLiteral("w@yd'"));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(&window.form, Qt::Key_Return);
        const auto end = std::chrono::steady_clock::now();
        state.PauseTiming();
        if (!label3->isVisible()) {
            state.SkipWithError("no mark after Enter");
            break;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        window.speech.finish();
        window.session.Timer1_Timer();
        window.speech.finish();
        state.ResumeTiming();
    }
    if (window.writer)
        window.writer->flush();
    std::sort(milliseconds.begin(), milliseconds.end());
    if (!milliseconds.empty()) {
        state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
        state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    }
}
BENCHMARK(BM_EnterToMarkPainted)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1000);

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
