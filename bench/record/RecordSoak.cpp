// A drill's record under the worst a school year brings, driven by bench/record/record-soak:
//
//   tapomi_record_soak answer FILE CHILD NAME COUNT INTERVAL_MS
//       answers COUNT cards, one every INTERVAL_MS, through the drill's own writer, printing
//       "typed N" as each answer is handed over; then ends the run as Esc does. Its exit status
//       is the drill's: 3 when some answer could be kept nowhere.
//   tapomi_record_soak count FILE CHILD
//       opens the record as the teacher's window does (taking in what waits beside it) and
//       prints "recorded N" and the distinct answers "distinct N".
//   tapomi_record_soak child FILE NAME
//       adds the child and prints its number.
//   tapomi_record_soak hold FILE SECONDS
//       holds the record's write lock as another program would (a database browser with an
//       unsaved edit, a backup).

#include "record/RecordStore.h"
#include "record/RecordWriter.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::system_clock;

std::int64_t nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

int answer(const std::filesystem::path& file, std::int64_t child, const std::string& name,
    int count, int intervalMs)
{
    RecordWriter writer(file);
    const std::int64_t started = nowMs();
    writer.beginRun(child, Utf8Text::decodeReplacing(name), "/soak", started);
    for (int i = 1; i <= count; ++i) {
        Attempt attempt;
        attempt.whenMs = nowMs();
        attempt.folder = "/soak";
        attempt.word = u"りんご";
        // Told apart from every other answer of every run, so that one written twice shows.
        attempt.typed = u"りんご"
            + Utf8Text::decodeReplacing(std::to_string(started) + "-" + std::to_string(i));
        attempt.secondsToEnter = 1.5;
        writer.addAttempt(attempt);
        std::printf("typed %d\n", i);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
    }
    writer.endRun(nowMs());
    return writer.finish(RecordWriter::kExitWait) ? 0 : RecordWriter::kNotKeptStatus;
}

int count(const std::filesystem::path& file, std::int64_t child)
{
    try {
        RecordStore store(file);
        const std::vector<Attempt> rows
            = store.attempts(child, 0, std::numeric_limits<std::int64_t>::max());
        std::set<std::u16string> distinct;
        for (const Attempt& row : rows)
            distinct.insert(row.typed);
        std::printf("recorded %zu\ndistinct %zu\n", rows.size(), distinct.size());
        return 0;
    } catch (const RecordError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

int addChild(const std::filesystem::path& file, const std::string& name)
{
    std::printf("%lld\n",
        static_cast<long long>(RecordStore(file).addChild(Utf8Text::decodeReplacing(name))));
    return 0;
}

int hold(const std::filesystem::path& file, int seconds)
{
    RecordConnection connection(file, RecordConnection::Access::ReadWrite);
    connection.exec("BEGIN IMMEDIATE");
    std::printf("holding\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    connection.exec("ROLLBACK");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "answer" && argc == 7)
        return answer(PathText::fromUtf8(argv[2]), std::atoll(argv[3]), argv[4], std::atoi(argv[5]),
            std::atoi(argv[6]));
    if (mode == "count" && argc == 4)
        return count(PathText::fromUtf8(argv[2]), std::atoll(argv[3]));
    if (mode == "child" && argc == 4)
        return addChild(PathText::fromUtf8(argv[2]), argv[3]);
    if (mode == "hold" && argc == 4)
        return hold(PathText::fromUtf8(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr,
        "usage: tapomi_record_soak answer FILE CHILD NAME COUNT INTERVAL_MS\n"
        "       tapomi_record_soak count FILE CHILD\n"
        "       tapomi_record_soak child FILE NAME\n"
        "       tapomi_record_soak hold FILE SECONDS\n");
    return 2;
}
