#include "teacher/TeacherReport.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/AttemptCsv.h"
#include "record/RecordError.h"
#include "record/RecordStore.h"
#include "teacher/ReportPeriod.h"
#include "teacher/TeacherClock.h"
#include "teacher/TeacherRecord.h"

#include <utility>
#include <vector>

namespace {

std::u16string shown(const std::filesystem::path& path)
{
    return Utf8Text::decodeReplacing(PathText::utf8(path));
}

} // namespace

TeacherReport::TeacherReport(TeacherView& view, TeacherRecord& record, const TeacherClock& clock,
    std::filesystem::path records)
    : m_view(view)
    , m_record(record)
    , m_clock(clock)
    , m_records(std::move(records))
{
}

std::optional<TeacherView::Report> TeacherReport::of(const Child& child)
{
    const ReportPeriod::Choice choice = m_view.period();
    const std::int64_t now = m_clock.nowMs();
    const int offset = m_clock.localOffsetSeconds();
    const ReportPeriod::Range range = ReportPeriod::Resolve(choice, now, offset);
    std::optional<TeacherView::Report> result;
    m_record.with([&](RecordStore& records) {
        result = TeacherView::Report { child.name, ReportPeriod::Label(choice, now, offset),
            ChildReport::Build(records.attempts(child.id, range.fromMs, range.toMs),
                records.runs(child.id, range.fromMs, range.toMs), offset) };
    });
    return result;
}

void TeacherReport::show(const std::optional<Child>& child)
{
    m_view.showReport(child ? of(*child) : std::nullopt);
}

void TeacherReport::exportCsv(const Child& child)
{
    const std::optional<std::filesystem::path> file = m_view.askForFile(
        TeacherView::FileKind::Csv, PathText::fromText(child.name + u"の記録.csv"));
    if (!file)
        return;
    const ReportPeriod::Range range
        = ReportPeriod::Resolve(m_view.period(), m_clock.nowMs(), m_clock.localOffsetSeconds());
    std::vector<Attempt> rows;
    if (!m_record.with([&](RecordStore& records) {
            rows = records.attempts(child.id, range.fromMs, range.toMs);
        }))
        return;
    try {
        AttemptCsv::Save(*file, m_records, rows, m_clock.localOffsetSeconds());
        m_record.tell(u"保存しました。\n" + shown(*file));
    } catch (const RecordError& error) {
        m_record.tell(error.teacherText() + u"\n" + shown(*file));
    }
}

void TeacherReport::exportPdf(const Child& child)
{
    const std::optional<TeacherView::Report> summary = of(child);
    if (!summary)
        return;
    const std::optional<std::filesystem::path> file = m_view.askForFile(
        TeacherView::FileKind::Pdf, PathText::fromText(child.name + u"のまとめ.pdf"));
    if (!file)
        return;
    if (const std::optional<std::u16string> problem = m_view.writePdf(*file, *summary))
        m_record.tell(*problem + u"\n" + shown(*file));
    else
        m_record.tell(u"保存しました。\n" + shown(*file));
}
