#pragma once

#include "record/Attempt.h"
#include "teacher/TeacherView.h"

#include <optional>

class TeacherClock;
class TeacherRecord;

// The chosen child's report in the teacher's window: the figures of the period the teacher
// chose, read from the record, and their exports as a CSV of every answer and a one-page PDF.
class TeacherReport
{
public:
    TeacherReport(TeacherView& view, TeacherRecord& record, const TeacherClock& clock,
        std::filesystem::path records);

    // Nothing when the record could not be read (the teacher was told).
    std::optional<TeacherView::Report> of(const Child& child);
    void show(const std::optional<Child>& child);
    void exportCsv(const Child& child);
    void exportPdf(const Child& child);

private:
    TeacherView& m_view;
    TeacherRecord& m_record;
    const TeacherClock& m_clock;
    std::filesystem::path m_records;
};
