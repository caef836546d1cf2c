#include "teacher/TeacherWindow.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "teacher/FolderMemory.h"
#include "teacher/Launcher.h"
#include "teacher/TeacherClock.h"
#include "teacher/TeacherTool.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;
using Control = TeacherView::Control;

// Wednesday 2026-12-09, 10:00 in Japan.
constexpr std::int64_t kNow = 1796778000000;
constexpr int kJapan = 9 * 3600;

class FixedClock final : public TeacherClock
{
public:
    std::int64_t nowMs() const override { return kNow; }
    int localOffsetSeconds() const override { return kJapan; }
};

class FakeFolderMemory final : public FolderMemory
{
public:
    fs::path lastFolder() const override { return folder; }
    void remember(const fs::path& chosen) override { folder = chosen; }

    fs::path folder;
};

// The teacher's answers are given in advance; what the window was told is kept.
class FakeTeacherView final : public TeacherView
{
public:
    void setChildren(const std::vector<ChildRow>& shown, int chosen) override
    {
        ++listings;
        rows = shown;
        selection = chosen;
    }
    int selectedChild() const override { return selection; }
    ReportPeriod::Choice period() const override { return choice; }
    void showReport(const std::optional<Report>& shown) override { report = shown; }
    void setMessages(const std::vector<std::u16string>& shown) override { messages = shown; }
    void setControlEnabled(Control control, bool on) override { enabled[control] = on; }
    std::optional<std::u16string> askName(
        std::u16string_view question, std::u16string_view current) override
    {
        questions.emplace_back(question);
        currentNames.emplace_back(current);
        return next(names);
    }
    bool confirm(std::u16string_view question) override
    {
        questions.emplace_back(question);
        const bool yes = confirmations.front();
        confirmations.pop_front();
        return yes;
    }
    void warn(std::u16string_view text) override { warnings.emplace_back(text); }
    std::optional<fs::path> askForFolder(const fs::path& offered) override
    {
        offeredFolders.push_back(offered);
        return next(folders);
    }
    std::optional<fs::path> askForFile(FileKind, const fs::path& suggested) override
    {
        suggestedFiles.push_back(suggested);
        return next(files);
    }
    std::optional<std::u16string> writePdf(const fs::path& file, const Report& shown) override
    {
        pdfs.emplace_back(file, shown.childName);
        return std::nullopt;
    }
    bool startDrill(const DrillLaunch& launch) override
    {
        launches.push_back(launch);
        return drillStarts;
    }

    template<typename T> static std::optional<T> next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ChildRow> rows;
    int listings = 0;
    int selection = -1;
    ReportPeriod::Choice choice;
    std::optional<Report> report;
    std::vector<std::u16string> messages;
    std::map<Control, bool> enabled;
    std::vector<std::u16string> questions;
    std::vector<std::u16string> currentNames;
    std::vector<std::u16string> warnings;
    std::deque<std::optional<std::u16string>> names;
    std::deque<bool> confirmations;
    std::deque<std::optional<fs::path>> folders;
    std::vector<fs::path> offeredFolders;
    std::deque<std::optional<fs::path>> files;
    std::vector<fs::path> suggestedFiles;
    std::vector<std::pair<fs::path, std::u16string>> pdfs;
    std::vector<DrillLaunch> launches;
    bool drillStarts = true;
};

class CountingTool final : public TeacherTool
{
public:
    std::optional<std::u16string> run(const fs::path& folder) override
    {
        folders.push_back(folder);
        return u"調べました";
    }
    std::vector<fs::path> folders;
};

void write(const fs::path& path, std::string_view bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

bool contains(const std::u16string& text, std::u16string_view part)
{
    return text.find(part) != std::u16string::npos;
}

bool anyContains(const std::vector<std::u16string>& texts, std::u16string_view part)
{
    for (const std::u16string& text : texts) {
        if (contains(text, part))
            return true;
    }
    return false;
}

Attempt attempt(
    std::int64_t whenMs, const fs::path& folder, std::u16string typed, bool right, bool firstTry)
{
    Attempt made;
    made.whenMs = whenMs;
    made.folder = folder;
    made.word = u"りんご";
    made.typed = std::move(typed);
    made.right = right;
    made.firstTry = firstTry;
    made.secondsToEnter = 3;
    made.kanaKeys = 3;
    return made;
}

TEST(TeacherWindowTest, KeepsTheChildrenStartsTheirDrillAndReportsWhatTheyDid)
{
    TempFolder temp;
    const fs::path work = temp / "tapomi";
    const fs::path records = work / "records.sqlite";
    const fs::path drill = temp / "bin" / "tapomi";
    const fs::path cards = temp / "えカード 1組";
    write(cards / u8"りんご.jpg", "apple");
    const fs::path otherCards = temp / "animals";
    write(otherCards / u8"ねこ.bmp", "cat");
    const fs::path empty = temp / "empty";
    fs::create_directories(empty);
    write(work / Launcher::kSamplesFolder / u8"いぬ.gif", "dog");

    FakeTeacherView view;
    FakeFolderMemory memory;
    const FixedClock clock;
    TeacherWindow window(view, memory, clock, { drill, work, records });
    CountingTool tool;
    window.attachTool(Control::CheckFolder, &tool);
    window.open();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(view.report);
    for (const Control control : { Control::Start, Control::Rename, Control::Remove,
             Control::ChooseFolder, Control::ExportCsv, Control::ExportPdf, Control::MakeCards })
        EXPECT_FALSE(view.enabled.at(control)) << "without a child chosen or a tool";
    EXPECT_TRUE(view.enabled.at(Control::CheckFolder));

    // Added, blanks trimmed; a name taken is refused, a cancelled question changes nothing.
    view.names = { u"　はなこ ", u"はなこ", std::nullopt, u"たろう" };
    window.addChildClicked();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].name, u"はなこ");
    EXPECT_EQ(view.rows[0].folder, u"（まだ）");
    EXPECT_EQ(view.selection, 0) << "the new child is chosen";
    ASSERT_TRUE(view.report);
    EXPECT_EQ(view.report->childName, u"はなこ");
    EXPECT_TRUE(view.enabled.at(Control::Start));
    window.addChildClicked();
    EXPECT_EQ(view.warnings.size(), 1u) << "a second はなこ";
    window.addChildClicked();
    window.addChildClicked();
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[view.selection].name, u"たろう");

    // Renamed from the name it has.
    view.names = { u"じろう" };
    window.renameClicked();
    EXPECT_EQ(view.currentNames.back(), u"たろう");
    EXPECT_EQ(view.rows[view.selection].name, u"じろう");

    // Removed only once the teacher has said yes to a question that names the child.
    view.confirmations = { false, true };
    window.removeClicked();
    EXPECT_EQ(view.rows.size(), 2u);
    EXPECT_TRUE(contains(view.questions.back(), u"「じろう」"));
    window.removeClicked();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].name, u"はなこ");
    EXPECT_EQ(view.selection, -1);
    EXPECT_FALSE(view.report);
    EXPECT_FALSE(RecordStore(records).findChild(u"じろう"));

    // はなこ has no folder yet: starting asks for one, offering the sample cards; folders the
    // drill cannot use are refused with the reason and offered again.
    view.selection = 0;
    window.childSelected();
    view.folders = { temp / "gone", empty, std::nullopt };
    window.startClicked();
    EXPECT_TRUE(view.launches.empty()) << "cancelled";
    EXPECT_EQ(view.offeredFolders,
        (std::vector<fs::path> { work / Launcher::kSamplesFolder, temp / "gone", empty }));
    ASSERT_EQ(view.warnings.size(), 3u);
    EXPECT_TRUE(contains(view.warnings[1], u"見つかりません"));
    EXPECT_TRUE(contains(view.warnings[2], u"絵（.jpg .gif .bmp）がありません"));
    EXPECT_EQ(view.rows[0].folder, u"（まだ）");

    view.folders = { cards };
    window.startClicked();
    ASSERT_EQ(view.launches.size(), 1u);
    // The window holds the record only while it works: the test can open it now.
    const std::int64_t hanako = RecordStore(records).findChild(u"はなこ")->id;
    const DrillLaunch& recorded = view.launches[0];
    EXPECT_EQ(recorded.program, drill);
    EXPECT_EQ(recorded.workingDirectory, work);
    EXPECT_EQ(recorded.folder, cards);
    EXPECT_EQ(recorded.setVariables,
        (std::vector<std::pair<std::string, std::string>> {
            { RecordStore::kChildVariable, std::to_string(hanako) },
            { RecordStore::kFileVariable, PathText::utf8(records) },
            { RecordStore::kChildNameVariable, Utf8Text::encode(u"はなこ") } }));
    EXPECT_TRUE(recorded.unsetVariables.empty());
    EXPECT_TRUE(view.rows[0].folder.ends_with(u"えカード 1組"))
        << Utf8Text::encode(view.rows[0].folder);
    EXPECT_TRUE(memory.folder.empty()) << "a child's folder is the child's own";

    // While the drill runs it records; when it ends the report is read again, and what it could
    // not write is shown and then cleared.
    {
        RecordStore drillSide(records);
        const std::int64_t run = drillSide.beginRun(hanako, cards, kNow - 60000);
        drillSide.addAttempt(run, attempt(kNow - 50000, cards, u"りんこ", false, true));
        drillSide.addAttempt(run, attempt(kNow - 40000, cards, u"りんご", true, false));
        drillSide.addAttempt(run, attempt(kNow - 30000, cards, u"りんご", true, true));
        drillSide.endRun(run, kNow - 20000);
        RecordProblems(records).append(u"記録を書けませんでした（ディスクがいっぱいです）");
    }
    window.drillEnded(false, 0);
    ASSERT_TRUE(view.report);
    EXPECT_EQ(view.report->childName, u"はなこ");
    EXPECT_EQ(view.report->figures.cardsTried, 2);
    EXPECT_EQ(view.report->figures.attempts, 3);
    EXPECT_EQ(view.report->figures.daysPractised, 1);
    EXPECT_TRUE(contains(view.report->periodLabel, u"今週（2026-12-07〜2026-12-13）"));
    EXPECT_TRUE(anyContains(view.messages, u"ディスクがいっぱい"));
    EXPECT_TRUE(RecordProblems(records).read().empty());
    window.drillEnded(true, 0);
    EXPECT_TRUE(anyContains(view.messages, u"止まってしまいました"));
    window.drillEnded(false, RecordWriter::kNotKeptStatus);
    EXPECT_TRUE(anyContains(view.messages, u"記録を待つファイルにも書きこめませんでした"));

    // Another program adds a child while the window is open (it holds the record only for a
    // moment at a time): the list follows when the files say they changed, and the child
    // chosen stays chosen.
    RecordStore(records).addChild(u"あきら");
    window.recordChanged();
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[view.selection].name, u"はなこ");
    window.messagesDismissed();
    EXPECT_TRUE(view.messages.empty());

    // The next start goes straight to the folder remembered for the child.
    window.startClicked();
    ASSERT_EQ(view.launches.size(), 2u);
    EXPECT_EQ(view.launches[1].folder, cards);
    EXPECT_EQ(view.offeredFolders.size(), 4u) << "no question";

    // A period without practice shows an empty report.
    view.choice = { ReportPeriod::Kind::Between, { 2026, 11, 1 }, { 2026, 11, 30 } };
    window.periodChanged();
    ASSERT_TRUE(view.report);
    EXPECT_EQ(view.report->figures.attempts, 0);
    view.choice = { ReportPeriod::Kind::Everything, {}, {} };
    window.periodChanged();
    EXPECT_EQ(view.report->figures.attempts, 3);

    // The exports: the CSV through the record, the PDF through the window; a file that cannot
    // be written is told in the message area.
    view.files = { temp / "はなこ.csv", temp / "no such folder" / "x.csv", temp / "はなこ.pdf" };
    window.exportCsvClicked();
    EXPECT_EQ(view.suggestedFiles.back(), fs::path(u8"はなこの記録.csv"));
    std::ifstream csv(temp / "はなこ.csv", std::ios::binary);
    std::string bom(3, '\0');
    csv.read(bom.data(), 3);
    EXPECT_EQ(bom, "\xEF\xBB\xBF");
    EXPECT_TRUE(anyContains(view.messages, u"保存しました"));
    window.messagesDismissed();
    window.exportCsvClicked();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(contains(view.messages[0], u"no such folder"));
    EXPECT_FALSE(fs::exists(temp / "no such folder"));
    window.exportPdfClicked();
    ASSERT_EQ(view.pdfs.size(), 1u);
    EXPECT_EQ(view.pdfs[0], std::make_pair(temp / "はなこ.pdf", std::u16string(u"はなこ")));

    // Practice without a child: the remembered folder, nothing that names a child or a record.
    view.folders = { otherCards };
    window.practiseWithoutRecordClicked();
    ASSERT_EQ(view.launches.size(), 3u);
    EXPECT_EQ(view.launches[2].folder, otherCards);
    EXPECT_TRUE(view.launches[2].setVariables.empty());
    EXPECT_EQ(view.launches[2].unsetVariables,
        (std::vector<std::string> { RecordStore::kChildVariable, RecordStore::kFileVariable,
            RecordStore::kChildNameVariable }));
    EXPECT_EQ(memory.folder, otherCards);
    EXPECT_EQ(view.offeredFolders.back(), work / Launcher::kSamplesFolder);

    // A drill that cannot be started is said so; the window stays.
    view.drillStarts = false;
    window.startClicked();
    EXPECT_TRUE(anyContains(view.messages, u"はじめられませんでした"));

    // The folder check ran on each folder as it was accepted (never on a refused one), and its
    // button works on the chosen child's folder.
    window.toolClicked(Control::CheckFolder);
    EXPECT_EQ(tool.folders, (std::vector<fs::path> { cards, otherCards, cards }));
    EXPECT_TRUE(anyContains(view.messages, u"調べました"));
}

TEST(TeacherWindowTest, ADamagedRecordIsSetAsideAndSaidSo)
{
    TempFolder temp;
    const fs::path records = temp / "records.sqlite";
    write(records, std::string(4096, 'x'));
    FakeTeacherView view;
    FakeFolderMemory memory;
    const FixedClock clock;
    TeacherWindow window(view, memory, clock, { temp / "tapomi", temp.path(), records });
    window.open();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(contains(view.messages[0], u"こわれていた"));
    EXPECT_TRUE(contains(view.messages[0], u"records.sqlite.damaged-")) << "the file kept";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(temp.path()))
        files += entry.path().filename().u8string().starts_with(u8"records") ? 1 : 0;
    EXPECT_GE(files, 2) << "the damaged file is kept beside the new one";
}

} // namespace
