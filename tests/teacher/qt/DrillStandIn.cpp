// Stands in for the drill in the teacher's window's test, the same on every system: notes in the
// file "ran", in the folder above the one it runs in, where it runs, the folder it was given, how
// many arguments it had and the child and record it was told of, separated by "|", all UTF-8.
// With TAPOMI_STAND_IN_ANSWERS=N it answers N cards for that child through the drill's own
// writer first. Given --export FILE instead, it is another program reading the record: every
// attempt of the child named in TAPOMI_CHILD_NAME, as CSV.
#include "common/CommandLine.h"
#include "common/Environment.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/AttemptCsv.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace {

std::int64_t number(const std::string& text)
{
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int exportCsv(const std::filesystem::path& file)
{
    const std::string records = Environment::get(RecordStore::kFileVariable).value_or("");
    const std::u16string name
        = Utf8Text::decodeReplacing(Environment::get(RecordStore::kChildNameVariable).value_or(""));
    RecordStore store(PathText::fromUtf8(records));
    const std::optional<Child> child = store.findChild(name);
    if (!child)
        return 1;
    AttemptCsv::Save(file, PathText::fromUtf8(records),
        store.attempts(child->id, 0, std::numeric_limits<std::int64_t>::max()), 9 * 3600);
    return 0;
}

void answer(int count)
{
    const std::optional<std::string> records = Environment::get(RecordStore::kFileVariable);
    const std::optional<std::string> child = Environment::get(RecordStore::kChildVariable);
    if (!records || !child)
        return;
    RecordWriter writer(PathText::fromUtf8(*records));
    writer.beginRun(number(*child),
        Utf8Text::decodeReplacing(Environment::get(RecordStore::kChildNameVariable).value_or("")),
        std::filesystem::current_path(), 1'796'778'000'000);
    for (int i = 0; i < count; ++i) {
        Attempt attempt;
        attempt.whenMs = 1'796'778'001'000 + i * 1000;
        attempt.word = u"りんご";
        attempt.typed = i % 2 ? u"りんご" : u"りんこ";
        attempt.right = i % 2 != 0;
        writer.addAttempt(attempt);
    }
    writer.endRun(1'796'778'100'000);
    writer.finish(RecordWriter::kExitWait);
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine commandLine(argc, argv);
    const std::vector<std::string>& arguments = commandLine.arguments();
    if (arguments.size() == 3 && arguments[1] == "--export")
        return exportCsv(PathText::fromUtf8(arguments[2]));
    answer(static_cast<int>(number(Environment::get("TAPOMI_STAND_IN_ANSWERS").value_or("0"))));
    const std::filesystem::path here = std::filesystem::current_path();
    std::ofstream note(here.parent_path() / "ran", std::ios::binary);
    note << PathText::utf8(here) << '|' << (arguments.size() > 1 ? arguments[1] : "") << '|'
         << arguments.size() - 1 << '|' << Environment::get("TAPOMI_CHILD").value_or("") << '|'
         << Environment::get("TAPOMI_RECORDS").value_or("");
    return note ? 0 : 1;
}
