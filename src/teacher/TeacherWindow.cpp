#include "teacher/TeacherWindow.h"

#include "app/Utf8Text.h"
#include "app/launcher/FolderMemory.h"
#include "app/launcher/Launcher.h"
#include "data/PathText.h"
#include "record/AttemptCsv.h"
#include "record/ChildName.h"
#include "record/RecordError.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
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

RecordStore* TeacherWindow::store()
{
    if (m_store)
        return m_store.get();
    try {
        m_store = std::make_unique<RecordStore>(m_places.records);
    } catch (const RecordError& error) {
        tell(error.teacherText());
        return nullptr;
    }
    if (const std::optional<fs::path>& aside = m_store->setAsideFile()) {
        tell(u"記録のファイルがこわれていました。消さずに別の名前で残して、新しい記録を"
             u"はじめました。\n"
            + shown(*aside));
    }
    return m_store.get();
}

void TeacherWindow::loadChildren(std::optional<std::int64_t> select)
{
    m_children.clear();
    if (RecordStore* records = store()) {
        try {
            m_children = records->children();
        } catch (const RecordError& error) {
            tell(error.teacherText());
        }
    }
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
    RecordStore* records = store();
    if (!records)
        return std::nullopt;
    const ReportPeriod::Choice choice = m_view.period();
    const std::int64_t now = m_clock.nowMs();
    const int offset = m_clock.localOffsetSeconds();
    const ReportPeriod::Range range = ReportPeriod::Resolve(choice, now, offset);
    try {
        return TeacherView::Report { child.name, ReportPeriod::Label(choice, now, offset),
            ChildReport::Build(records->attempts(child.id, range.fromMs, range.toMs),
                records->runs(child.id, range.fromMs, range.toMs), offset) };
    } catch (const RecordError& error) {
        tell(error.teacherText());
        return std::nullopt;
    }
}

void TeacherWindow::refreshReport()
{
    const std::optional<Child> child = selected();
    m_view.showReport(child ? report(*child) : std::nullopt);
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
    RecordStore* records = store();
    if (!records)
        return;
    const std::optional<std::u16string> answer
        = m_view.askName(u"子どもの名前を入れてください。", u"");
    if (!answer || ChildName::Cleaned(*answer).empty())
        return;
    try {
        const std::int64_t id = records->addChild(*answer);
        loadChildren(id);
    } catch (const RecordError& error) {
        m_view.warn(error.teacherText());
    }
}

void TeacherWindow::renameClicked()
{
    const std::optional<Child> child = selected();
    RecordStore* records = store();
    if (!child || !records)
        return;
    const std::optional<std::u16string> answer
        = m_view.askName(u"新しい名前を入れてください。", child->name);
    const std::u16string name = answer ? ChildName::Cleaned(*answer) : std::u16string();
    if (name.empty() || name == child->name)
        return;
    try {
        records->renameChild(child->id, *answer);
        loadChildren(child->id);
    } catch (const RecordError& error) {
        m_view.warn(error.teacherText());
    }
}

void TeacherWindow::removeClicked()
{
    const std::optional<Child> child = selected();
    RecordStore* records = store();
    if (!child || !records)
        return;
    if (!m_view.confirm(u"「" + child->name
            + u"」を一覧から消して、その子の練習の記録もすべて消します。"
              u"元にはもどせません。消しますか？"))
        return;
    try {
        records->removeChild(child->id);
    } catch (const RecordError& error) {
        tell(error.teacherText());
    }
    loadChildren(std::nullopt);
}

std::optional<fs::path> TeacherWindow::chooseFolder(fs::path offered)
{
    for (;;) {
        std::optional<fs::path> chosen = m_view.askForFolder(offered);
        if (!chosen)
            return std::nullopt;
        const Launcher::FolderProblem problem = Launcher::CheckFolder(*chosen);
        if (problem == Launcher::FolderProblem::None) {
            // A card that no child can answer is best found before a child meets it: the check
            // says so in one line, and asks the teacher only when something needs mending.
            if (m_checkTool)
                if (std::optional<std::u16string> said = m_checkTool->run(*chosen))
                    tell(std::move(*said));
            return chosen;
        }
        m_view.warn(Launcher::ProblemText(problem, *chosen));
        offered = *chosen;
    }
}

void TeacherWindow::chooseFolderClicked()
{
    const std::optional<Child> child = selected();
    RecordStore* records = store();
    if (!child || !records)
        return;
    const fs::path last = child->lastFolder.empty() ? m_memory.lastFolder() : child->lastFolder;
    const std::optional<fs::path> folder
        = chooseFolder(Launcher::FolderToOffer(last, m_places.workingDirectory));
    if (!folder)
        return;
    try {
        records->setLastFolder(child->id, *folder);
    } catch (const RecordError& error) {
        tell(error.teacherText());
    }
    loadChildren(child->id);
}

void TeacherWindow::startClicked()
{
    const std::optional<Child> child = selected();
    RecordStore* records = store();
    if (!child || !records)
        return;
    std::optional<fs::path> folder = child->lastFolder;
    const Launcher::FolderProblem problem = Launcher::CheckFolder(child->lastFolder);
    if (problem != Launcher::FolderProblem::None) {
        // A folder chosen before that has gone or changed is explained before the dialog.
        if (!child->lastFolder.empty())
            m_view.warn(Launcher::ProblemText(problem, child->lastFolder));
        const fs::path last = child->lastFolder.empty() ? m_memory.lastFolder() : child->lastFolder;
        folder = chooseFolder(Launcher::FolderToOffer(last, m_places.workingDirectory));
        if (!folder)
            return;
        try {
            records->setLastFolder(child->id, *folder);
        } catch (const RecordError& error) {
            tell(error.teacherText());
        }
        loadChildren(child->id);
    }
    launch(*folder, child->id);
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

void TeacherWindow::launch(const fs::path& folder, std::optional<std::int64_t> childId)
{
    std::optional<DrillLaunch::Recording> recording;
    if (childId)
        recording = DrillLaunch::Recording { *childId, m_places.records };
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
    else if (exitCode != 0)
        tell(u"練習のプログラムが、うまく終われませんでした（終了状態 "
            + Utf8Text::decodeReplacing(std::to_string(exitCode)) + u"）。");
    // The list stayed as it was while hidden: the child chosen then is still chosen.
    const std::optional<Child> child = selected();
    // The drill may have set a damaged file aside and begun a new one: read the file now there.
    m_store.reset();
    loadChildren(child ? std::optional<std::int64_t>(child->id) : std::nullopt);
    readProblems();
}

void TeacherWindow::exportCsvClicked()
{
    const std::optional<Child> child = selected();
    RecordStore* records = store();
    if (!child || !records)
        return;
    const std::optional<fs::path> file = m_view.askForFile(
        TeacherView::FileKind::Csv, PathText::fromText(child->name + u"の記録.csv"));
    if (!file)
        return;
    const ReportPeriod::Range range
        = ReportPeriod::Resolve(m_view.period(), m_clock.nowMs(), m_clock.localOffsetSeconds());
    try {
        AttemptCsv::Save(*file, m_places.records,
            records->attempts(child->id, range.fromMs, range.toMs), m_clock.localOffsetSeconds());
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
    const std::optional<Child> child = selected();
    loadChildren(child ? std::optional<std::int64_t>(child->id) : std::nullopt);
}

void TeacherWindow::messagesDismissed()
{
    m_messages.clear();
    m_view.setMessages(m_messages);
}

void TeacherWindow::readProblems()
{
    try {
        RecordProblems problems(m_places.records);
        const std::vector<std::u16string> lines = problems.read();
        for (const std::u16string& line : lines)
            tell(line);
        if (!lines.empty())
            problems.clear();
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
