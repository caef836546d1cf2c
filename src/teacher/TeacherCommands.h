#pragma once

#include "teacher/DrillLaunch.h"
#include "teacher/TeacherView.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>

class TeacherClock;

// The record's side of tapomi-launcher's options, for desktop shortcuts and scripts; none needs
// a display. Each tells what went wrong in one Japanese line on the error stream. An option that
// names a child never creates the record: without one there is no such child.
class TeacherCommands
{
public:
    // Exit statuses.
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;

    static int AddChild(const std::filesystem::path& records, std::u16string_view name,
        std::ostream& out, std::ostream& errors);
    // Every attempt of the child.
    static int ExportCsv(const std::filesystem::path& records, std::u16string_view name,
        const std::filesystem::path& file, const TeacherClock& clock, std::ostream& errors);
    // The child's report over everything recorded.
    static std::optional<TeacherView::Report> WholeReport(const std::filesystem::path& records,
        std::u16string_view name, const TeacherClock& clock, std::ostream& errors);
    // The drill for the child on the folder given, remembered as the child's last, or on the
    // child's last folder when none is given.
    static std::optional<DrillLaunch> ChildDrill(const std::filesystem::path& records,
        std::u16string_view name, const std::filesystem::path& folder,
        const std::filesystem::path& drill, const std::filesystem::path& workingDirectory,
        std::ostream& errors);

    static void Tell(std::ostream& errors, std::u16string_view text);
};
