#include "teacher/TeacherWindow.h"

#include "cards/FolderReadiness.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/ChildName.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "teacher/FolderMemory.h"
#include "teacher/Launcher.h"
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
    , m_places(std::move(places))
    , m_record(view, m_places.records)
    , m_report(view, m_record, clock, m_places.records)
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
    m_record.readProblems();
}

void TeacherWindow::loadChildren(std::optional<std::int64_t> select)
{
    m_children.clear();
    m_record.with([this](RecordStore& records) { m_children = records.children(); });
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
    m_record.tellWaitingAnswers();
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

void TeacherWindow::refreshReport()
{
    m_report.show(selected());
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
    if (m_record.with([&](RecordStore& records) { id = records.addChild(*answer); }, TeacherRecord::Failure::Warn))
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
    if (m_record.with(
            [&](RecordStore& records) { records.renameChild(child->id, *answer); }, TeacherRecord::Failure::Warn))
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
    m_record.with([&](RecordStore& records) { records.removeChild(child->id); });
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
    m_record.with([&](RecordStore& records) { records.setLastFolder(child->id, *folder); });
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
        m_record.with([&](RecordStore& records) { records.setLastFolder(child->id, *folder); });
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
    if (const std::optional<Child> child = selected())
        m_report.exportCsv(*child);
}

void TeacherWindow::exportPdfClicked()
{
    if (const std::optional<Child> child = selected())
        m_report.exportPdf(*child);
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
    m_record.clearMessages();
}

void TeacherWindow::tell(std::u16string text)
{
    m_record.tell(std::move(text));
}
