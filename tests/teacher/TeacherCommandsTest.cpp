#include "teacher/TeacherCommands.h"

#include "common/Utf8Text.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
#include "teacher/TeacherClock.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class FixedClock final : public TeacherClock
{
public:
    std::int64_t nowMs() const override { return 1796778000000; }
    int localOffsetSeconds() const override { return 9 * 3600; }
};

} // namespace

// A damaged record met by a command (a desktop icon's --child, a script's --add-child or
// export): set aside and kept, and the teacher told on the error stream and in the record's
// notes for the window, the kept file named both times; the command fails instead of going on
// as if the record were new and empty.
TEST(TeacherCommandsTest, EveryCommandThatSetsADamagedRecordAsideSaysSoAndFails)
{
    const FixedClock clock;
    const struct
    {
        const char* command;
        std::function<bool(const fs::path& records, const fs::path& folder, std::ostream& errors)>
            run; // true when it went on
    } commands[] = {
        { "--add-child",
            [](const fs::path& records, const fs::path&, std::ostream& errors) {
                std::ostringstream out;
                return TeacherCommands::AddChild(records, u"はなこ", out, errors)
                    == TeacherCommands::kDone;
            } },
        { "--export-csv",
            [&](const fs::path& records, const fs::path& folder, std::ostream& errors) {
                return TeacherCommands::ExportCsv(
                           records, u"はなこ", folder / "out.csv", clock, errors)
                    == TeacherCommands::kDone;
            } },
        { "--export-pdf",
            [&](const fs::path& records, const fs::path&, std::ostream& errors) {
                return TeacherCommands::WholeReport(records, u"はなこ", clock, errors).has_value();
            } },
        { "--child",
            [](const fs::path& records, const fs::path& folder, std::ostream& errors) {
                return TeacherCommands::ChildDrill(
                    records, u"はなこ", folder, folder / "tapomi", folder, errors)
                    .has_value();
            } },
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.command);
        const TempFolder temp;
        const fs::path records = temp / "records.sqlite";
        std::ofstream(records, std::ios::binary) << std::string(4096, 'x');
        std::ostringstream errors;
        EXPECT_FALSE(command.run(records, temp.path(), errors));

        std::optional<fs::path> kept;
        for (const fs::directory_entry& entry : fs::directory_iterator(temp.path())) {
            if (entry.path().filename().u8string().starts_with(u8"records.sqlite.damaged-"))
                kept = entry.path();
        }
        ASSERT_TRUE(kept) << "the damaged file is kept";
        const std::string said = errors.str();
        EXPECT_NE(said.find("こわれていた"), std::string::npos) << said;
        EXPECT_NE(said.find(kept->filename().string()), std::string::npos) << said;
        const std::vector<std::u16string> notes = RecordProblems(records).read();
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_NE(Utf8Text::encode(notes[0]).find(kept->filename().string()), std::string::npos);
        EXPECT_TRUE(RecordStore(records).children().empty()) << "nothing added to the new record";
    }
}
