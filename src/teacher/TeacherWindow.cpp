#include "teacher/TeacherWindow.h"

#include "cards/FolderReadiness.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/AttemptCsv.h"
#include "record/ChildName.h"
#include "record/PendingAnswers.h"
#include "record/RecordError.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "teacher/FolderMemory.h"
#include "teacher/Launcher.h"
#include "teacher/ReportPeriod.h"
#include "teacher/TeacherClock.h"
#include "teacher/TeacherTool.h"

namespace fs = std::filesystem;

namespace {

std::u16string shown(const fs::path& path)
{
    return Utf8Text::decodeReplacing(PathText::utf8(path));
}

} // namespace

TeacherWindow::TeacherWindow(
    TeacherView& view, FolderMemory& memory, const TeacherClock& clock, Places places)
    : m_view(view)
    , m_memory(memory)
    , m_clock(clock)
    , m_places(std::move(places))
{ }

TeacherWindow::~TeacherWindow() = default;

void TeacherWindow::attachTool(TeacherView::Control button, TeacherTool* tool)
{
    if (button == TeacherView::Control::CheckFolder)
        m_checkTool = tool;
    else if (button == TeacherView::Control::MakeCards)
        m_makeTool = tool;
}

void TeacherWindow::open()
{
    loadChildren(std::nullopt);
    readProblems();
}

bool TeacherWindow::withRecord(const std::function<void(RecordStore&)>& work, Failure failure)
{
    bool done = false;
    try {
        RecordStore records(m_places.records);
        work(records);
        done = true;
    } catch (const RecordError& error) {
        if (failure == Failure::Warn)
            m_view.warn(error.teacherText());
        else
            tell(error.teacherText());
    }
    // Opening may have set a damaged file aside or taken in answers that waited: both are noted
    // in the record's problems, which are shown at once.
    readProblems();
    return done;
}

void TeacherWindow::loadChildren(std::optional<std::int64_t> select)
{
    m_children.clear();
    withRecord([this](RecordStore& records) { m_children = records.children(); });
    std::vector<TeacherView::ChildRow> rows;
    int selectedRow = -1;
    for (const Child& child : m_children) {
        if (select && child.id == *select)
            selectedRow = static_cast<int>(rows.size());
        rows.push_back({ child.name,
            child.lastFolder.empty() ? std::u16string(u"（まだ）") : shown(child.lastFolder) });
    }
    m_view.setChildren(rows, selectedRow);
    refreshReport();
    updateControls();
    // Answers a drill kept beside the record that no opening could take in yet (the disk still
    // full, the record still held): the teacher should know they are safe, and wait.
    if (const std::size_t waiting = PendingAnswers(m_places.records).waitingAnswers()) {
        tell(u"記録に書きこめていない答えが" + Utf8Text::decodeReplacing(std::to_string(waiting))
            + u"件、「" + shown(PendingAnswers(m_places.records).file().filename())
            + u"」で待っています。ディスクの空きと、記録のファイルを確かめてください。記録を開け"
              u"たときに取りこみます。");
    }
}

void TeacherWindow::reloadSelected()
{
    const std::optional<Child> child = selected();
    loadChildren(child ? std::optional<std::int64_t>(child->id) : std::nullopt);
}

std::optional<Child> TeacherWindow::selected() const
{
    const int row = m_view.selectedChild();
    if (row < 0 || row >= static_cast<int>(m_children.size()))
        return std::nullopt;
    return m_children[static_cast<std::size_t>(row)];
}

std::optional<TeacherView::Report> TeacherWindow::report(const Child& child)
{
    const ReportPeriod::Choice choice = m_view.period();
    const std::int64_t now = m_clock.nowMs();
    const int offset = m_clock.localOffsetSeconds();
    const ReportPeriod::Range range = ReportPeriod::Resolve(choice, now, offset);
    std::optional<TeacherView::Report> result;
    withRecord([&](RecordStore& records) {
        result = TeacherView::Report { child.name, ReportPeriod::Label(choice, now, offset),
            ChildReport::Build(records.attempts(child.id, range.fromMs, range.toMs),
                records.runs(child.id, range.fromMs, range.toMs), offset) };
    });
    return result;
}

void TeacherWindow::refreshReport()
{
    const std::optional<Child> child = selected();
    m_view.showReport(child ? report(*child) : std::nullopt);
}

void TeacherWindow::recordChanged()
{
    reloadSelected();
}

void TeacherWindow::updateControls()
{
    const bool chosen = selected().has_value();
    for (const TeacherView::Control control :
        { TeacherView::Control::Start, TeacherView::Control::Rename, TeacherView::Control::Remove,
            TeacherView::Control::ChooseFolder, TeacherView::Control::ExportCsv,
            TeacherView::Control::ExportPdf })
        m_view.setControlEnabled(control, chosen);
    m_view.setControlEnabled(TeacherView::Control::CheckFolder, m_checkTool != nullptr);
    m_view.setControlEnabled(TeacherView::Control::MakeCards, m_makeTool != nullptr);
}

void TeacherWindow::childSelected()
{
    refreshReport();
    updateControls();
}

void TeacherWindow::periodChanged()
{
    refreshReport();
}

void TeacherWindow::addChildClicked()
{
    const std::optional<std::u16string> answer
        = m_view.askName(u"子どもの名前を入れてください。", u"");
    if (!answer || ChildName::Cleaned(*answer).empty())
        return;
    std::int64_t id = 0;
    if (withRecord([&](RecordStore& records) { id = records.addChild(*answer); }, Failure::Warn))
        loadChildren(id);
}

void TeacherWindow::renameClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    const std::optional<std::u16string> answer
        = m_view.askName(u"新しい名前を入れてください。", child->name);
    const std::u16string name = answer ? ChildName::Cleaned(*answer) : std::u16string();
    if (name.empty() || name == child->name)
        return;
    if (withRecord(
            [&](RecordStore& records) { records.renameChild(child->id, *answer); }, Failure::Warn))
        loadChildren(child->id);
}

void TeacherWindow::removeClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    if (!m_view.confirm(u"「" + child->name
            + u"」を一覧から消して、その子の練習の記録もすべて消します。"
              u"元にはもどせません。消しますか？"))
        return;
    withRecord([&](RecordStore& records) { records.removeChild(child->id); });
    loadChildren(std::nullopt);
}

std::optional<fs::path> TeacherWindow::chooseFolder(fs::path offered)
{
    for (;;) {
        std::optional<fs::path> chosen = m_view.askForFolder(offered);
        if (!chosen)
            return std::nullopt;
        const FolderReadiness::Problem problem = FolderReadiness::Of(*chosen);
        if (problem == FolderReadiness::Problem::None) {
            // A card that no child can answer is best found before a child meets it: the check
            // says so in one line, and asks the teacher only when something needs mending.
            if (m_checkTool)
                if (std::optional<std::u16string> said = m_checkTool->run(*chosen))
                    tell(std::move(*said));
            return chosen;
        }
        m_view.warn(FolderReadiness::Text(problem, *chosen));
        offered = *chosen;
    }
}

void TeacherWindow::chooseFolderClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    const fs::path last = child->lastFolder.empty() ? m_memory.lastFolder() : child->lastFolder;
    const std::optional<fs::path> folder
        = chooseFolder(Launcher::FolderToOffer(last, m_places.workingDirectory));
    if (!folder)
        return;
    withRecord([&](RecordStore& records) { records.setLastFolder(child->id, *folder); });
    loadChildren(child->id);
}

void TeacherWindow::startClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    std::optional<fs::path> folder = child->lastFolder;
    const FolderReadiness::Problem problem = FolderReadiness::Of(child->lastFolder);
    if (problem != FolderReadiness::Problem::None) {
        // A folder chosen before that has gone or changed is explained before the dialog.
        if (!child->lastFolder.empty())
            m_view.warn(FolderReadiness::Text(problem, child->lastFolder));
        const fs::path last = child->lastFolder.empty() ? m_memory.lastFolder() : child->lastFolder;
        folder = chooseFolder(Launcher::FolderToOffer(last, m_places.workingDirectory));
        if (!folder)
            return;
        withRecord([&](RecordStore& records) { records.setLastFolder(child->id, *folder); });
        loadChildren(child->id);
    }
    launch(*folder, child);
}

void TeacherWindow::practiseWithoutRecordClicked()
{
    const std::optional<fs::path> folder
        = chooseFolder(Launcher::FolderToOffer(m_memory.lastFolder(), m_places.workingDirectory));
    if (!folder)
        return;
    m_memory.remember(*folder);
    launch(*folder, std::nullopt);
}

void TeacherWindow::launch(const fs::path& folder, const std::optional<Child>& child)
{
    std::optional<DrillLaunch::Recording> recording;
    if (child)
        recording = DrillLaunch::Recording { child->id, child->name, m_places.records };
    const DrillLaunch drill
        = DrillLaunch::Make(m_places.drill, m_places.workingDirectory, folder, recording);
    if (!m_view.startDrill(drill)) {
        tell(u"練習のプログラム（tapomi）をはじめられませんでした。"
             u"タポミをインストールしなおしてください。\n"
            + shown(m_places.drill));
    }
}

void TeacherWindow::drillEnded(bool crashed, int exitCode)
{
    if (crashed)
        tell(u"練習のプログラムが、とちゅうで止まってしまいました。");
    else if (exitCode == RecordWriter::kNotKeptStatus)
        tell(u"練習の答えの一部を、記録にも、記録を待つファイルにも書きこめませんでした。"
             u"ディスクの空きと、記録のフォルダーに書きこめるかを確かめてください。");
    else if (exitCode != 0)
        tell(u"練習のプログラムが、うまく終われませんでした（終了状態 "
            + Utf8Text::decodeReplacing(std::to_string(exitCode)) + u"）。");
    // The list stayed as it was while hidden: the child chosen then is still chosen.
    reloadSelected();
}

void TeacherWindow::exportCsvClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    const std::optional<fs::path> file = m_view.askForFile(
        TeacherView::FileKind::Csv, PathText::fromText(child->name + u"の記録.csv"));
    if (!file)
        return;
    const ReportPeriod::Range range
        = ReportPeriod::Resolve(m_view.period(), m_clock.nowMs(), m_clock.localOffsetSeconds());
    std::vector<Attempt> rows;
    if (!withRecord([&](RecordStore& records) {
            rows = records.attempts(child->id, range.fromMs, range.toMs);
        }))
        return;
    try {
        AttemptCsv::Save(*file, m_places.records, rows, m_clock.localOffsetSeconds());
        tell(u"保存しました。\n" + shown(*file));
    } catch (const RecordError& error) {
        tell(error.teacherText() + u"\n" + shown(*file));
    }
}

void TeacherWindow::exportPdfClicked()
{
    const std::optional<Child> child = selected();
    if (!child)
        return;
    const std::optional<TeacherView::Report> summary = report(*child);
    if (!summary)
        return;
    const std::optional<fs::path> file = m_view.askForFile(
        TeacherView::FileKind::Pdf, PathText::fromText(child->name + u"のまとめ.pdf"));
    if (!file)
        return;
    if (const std::optional<std::u16string> problem = m_view.writePdf(*file, *summary))
        tell(*problem + u"\n" + shown(*file));
    else
        tell(u"保存しました。\n" + shown(*file));
}

fs::path TeacherWindow::toolFolder() const
{
    if (const std::optional<Child> child = selected(); child && !child->lastFolder.empty())
        return child->lastFolder;
    return Launcher::FolderToOffer(m_memory.lastFolder(), m_places.workingDirectory);
}

void TeacherWindow::toolClicked(TeacherView::Control button)
{
    TeacherTool* tool = button == TeacherView::Control::CheckFolder ? m_checkTool
        : button == TeacherView::Control::MakeCards                 ? m_makeTool
                                                                    : nullptr;
    if (!tool)
        return;
    if (std::optional<std::u16string> said = tool->run(toolFolder()))
        tell(std::move(*said));
    reloadSelected();
}

void TeacherWindow::messagesDismissed()
{
    m_messages.clear();
    m_view.setMessages(m_messages);
}

void TeacherWindow::readProblems()
{
    try {
        for (const std::u16string& line : RecordProblems(m_places.records).take())
            tell(line);
    } catch (const std::exception& error) {
        tell(u"練習中に書けなかった記録の知らせを読めませんでした。\n"
            + Utf8Text::decodeReplacing(error.what()));
    }
}

void TeacherWindow::tell(std::u16string text)
{
    // The same failure met again by the next step is not said twice in a row.
    if (!m_messages.empty() && m_messages.back() == text)
        return;
    m_messages.push_back(std::move(text));
    m_view.setMessages(m_messages);
}
