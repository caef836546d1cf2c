// Figures of the record: the report of a child with 100 000 answers (the query and the report
// built from it), their CSV export, and the time recording adds to an Enter on the drill's
// thread while the writer thread writes to a real file.

#include "record/AttemptCsv.h"
#include "record/ChildRecorder.h"
#include "record/ChildReport.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "record/SystemRecordClock.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kAttempts = 100'000;
constexpr int kJapan = 9 * 3600;
constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();

class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tapomi-record-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

const std::array<std::u16string, 60> kWords = { u"いぬ", u"ねこ", u"りんご", u"がっこう",
    u"でんしゃ", u"ばなな", u"ぱんだ", u"ひこうき", u"じてんしゃ", u"きって", u"けーき",
    u"らーめん", u"しんかんせん", u"ちょうちょ", u"きゅうきゅうしゃ", u"ぶどう", u"みかん",
    u"すいか", u"とまと", u"にんじん", u"たまご", u"さかな", u"うさぎ", u"ぞう", u"きりん",
    u"らいおん", u"ぺんぎん", u"こあら", u"かめ", u"かえる", u"とり", u"くるま", u"ふね", u"ばす",
    u"とらっく", u"ぼーる", u"えんぴつ", u"はさみ", u"のーと", u"かばん", u"くつ", u"ぼうし",
    u"てがみ", u"でんわ", u"てれび", u"つくえ", u"いす", u"まど", u"どあ", u"ほん", u"はな", u"き",
    u"やま", u"かわ", u"うみ", u"そら", u"くも", u"あめ", u"ゆき", u"ほし" };

// A wrong answer as children give them: a kana left out, one doubled, a mark missing or
// added, a small kana typed full size, or a key next to the right one.
std::u16string slip(const std::u16string& word, std::mt19937& random)
{
    std::u16string typed = word;
    const std::size_t at = random() % word.size();
    switch (random() % 5) {
    case 0:
        typed.erase(at, 1);
        break;
    case 1:
        typed.insert(at, 1, word[at]);
        break;
    case 2:
        typed[at] = static_cast<char16_t>(typed[at] + 1);
        break;
    case 3:
        typed[at] = static_cast<char16_t>(typed[at] - 1);
        break;
    default:
        typed.resize(at);
        break;
    }
    return typed == word ? word + u"ん" : typed;
}

struct BigRecord
{
    TemporaryFolder folder;
    fs::path file = folder.path() / "records.sqlite";
    std::int64_t child = 0;
};

// Two years of a child's practice, 150 answers a school day in runs of 25, made once.
const BigRecord& bigRecord()
{
    static BigRecord record;
    static const bool made = [] {
        RecordStore store(record.file);
        record.child = store.addChild(u"はなこ");
        store.addChild(u"たろう");
        std::mt19937 random(2026);
        std::int64_t when = 1'735'000'000'000;
        std::int64_t run = 0;
        bool lastWrong = false;
        std::size_t word = 0;
        for (int i = 0; i < kAttempts; ++i) {
            if (i % 25 == 0) {
                if (run != 0)
                    store.endRun(run, when + 30'000);
                // The next run: an hour later, or the next day after six runs.
                when += (i / 25) % 6 == 0 ? 20 * 3'600'000 : 3'600'000;
                run = store.beginRun(record.child, "/home/sensei/えカード", when);
            }
            when += 5'000 + static_cast<std::int64_t>(random() % 20'000);
            if (!lastWrong)
                word = random() % kWords.size();
            Attempt attempt;
            attempt.whenMs = when;
            attempt.folder = "/home/sensei/えカード";
            attempt.word = kWords[word];
            attempt.right = random() % 10 < 7;
            attempt.typed = attempt.right ? attempt.word : slip(attempt.word, random);
            attempt.firstTry = !lastWrong;
            attempt.secondsToEnter = 2.0 + static_cast<double>(random() % 100) / 10;
            attempt.kanaKeys = static_cast<int>(attempt.typed.size());
            attempt.keyGuardTenths = 3;
            store.addAttempt(run, attempt);
            lastWrong = !attempt.right;
        }
        store.endRun(run, when + 30'000);
        return true;
    }();
    (void)made;
    return record;
}

// The teacher opens the child's report for everything: the store is opened, the answers and
// runs read, and the report built.
void BM_ReportOfAChildWith100000Answers(benchmark::State& state)
{
    const BigRecord& record = bigRecord();
    for (auto _ : state) {
        RecordStore store(record.file, RecordStore::Access::ReadOnly);
        const std::vector<Attempt> attempts = store.attempts(record.child, 0, kAlways);
        const std::vector<DrillRun> runs = store.runs(record.child, 0, kAlways);
        ChildReport report = ChildReport::Build(attempts, runs, kJapan);
        benchmark::DoNotOptimize(report.confusions.data());
        if (report.attempts != kAttempts)
            state.SkipWithError("not every answer was read");
    }
}
BENCHMARK(BM_ReportOfAChildWith100000Answers)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same answers to a CSV file, read from the store and written in place.
void BM_CsvExportOf100000Answers(benchmark::State& state)
{
    const BigRecord& record = bigRecord();
    const fs::path csv = record.folder.path() / "はなこ.csv";
    for (auto _ : state) {
        RecordStore store(record.file, RecordStore::Access::ReadOnly);
        AttemptCsv::Save(csv, record.file, store.attempts(record.child, 0, kAlways), kJapan);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(csv)) / 1e6;
}
BENCHMARK(BM_CsvExportOf100000Answers)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// What one card adds on the drill's thread with a child's record on: the presentation, the
// prompt's end, five keys and the Enter, each handed to the writer, which meanwhile commits
// every answer to a real file on its own thread.
void BM_RecordingOfOneCardOnTheDrillThread(benchmark::State& state)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "records.sqlite";
    std::int64_t child = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
    }
    Settings settings;
    SystemRecordClock clock;
    RecordWriter writer(file);
    ChildRecorder recorder(writer, clock, settings, child, u"はなこ", "/home/sensei/えカード");
    recorder.runStarted();
    for (auto _ : state) {
        recorder.cardPresented(u"でんしゃ", false);
        recorder.promptEnded();
        for (int key = 0; key < 4; ++key)
            recorder.keyTaken(DrillRecord::Key::Kana);
        recorder.keyTaken(DrillRecord::Key::Mark);
        recorder.wordJudged(u"でんしゃ", u"でんしゃ", true);
    }
    // After the timed loop: the writer catches up with every answer handed to it.
    recorder.runEnded();
    writer.flush();
    const auto written = RecordStore(file).attempts(child, 0, kAlways).size();
    if (static_cast<benchmark::IterationCount>(written) != state.iterations())
        state.SkipWithError("not every answer was written");
}
BENCHMARK(BM_RecordingOfOneCardOnTheDrillThread)->Unit(benchmark::kMicrosecond)->Iterations(20'000);

} // namespace

BENCHMARK_MAIN();
