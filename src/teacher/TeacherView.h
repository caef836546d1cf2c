#pragma once

#include "record/ChildReport.h"
#include "teacher/DrillLaunch.h"
#include "teacher/ReportPeriod.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What TeacherWindow needs of the teacher's window: the list of children, the report panel, the
// message area, the buttons, the questions it asks, and starting the drill as a program of its
// own. The window forwards its events to TeacherWindow and keeps no state of its own.
class TeacherView
{
public:
    enum class Control
    {
        Start, // the drill for the chosen child
        Rename,
        Remove,
        ChooseFolder,
        ExportCsv,
        ExportPdf,
        CheckFolder, // the card tools, enabled once the program attaches them
        MakeCards,
    };

    enum class FileKind
    {
        Csv,
        Pdf,
    };

    struct ChildRow
    {
        std::u16string name;
        std::u16string folder; // shown as it is; "（まだ）" when none was chosen
    };

    // What the report panel shows of one child.
    struct Report
    {
        std::u16string childName;
        std::u16string periodLabel;
        ChildReport figures;
    };

    virtual ~TeacherView() = default;

    // selected is the row to select, or -1 for none.
    virtual void setChildren(const std::vector<ChildRow>& rows, int selected) = 0;
    virtual int selectedChild() const = 0;
    virtual ReportPeriod::Choice period() const = 0;
    // Nothing clears the panel (no child chosen).
    virtual void showReport(const std::optional<Report>& report) = 0;
    // Newest last; an empty list hides the area.
    virtual void setMessages(const std::vector<std::u16string>& messages) = 0;
    virtual void setControlEnabled(Control control, bool enabled) = 0;

    // Nothing when the teacher cancelled.
    virtual std::optional<std::u16string> askName(
        std::u16string_view question, std::u16string_view current)
        = 0;
    virtual bool confirm(std::u16string_view question) = 0;
    // A message box that waits for OK, for what the teacher must see before going on.
    virtual void warn(std::u16string_view text) = 0;
    virtual std::optional<std::filesystem::path> askForFolder(const std::filesystem::path& offered)
        = 0;
    virtual std::optional<std::filesystem::path> askForFile(
        FileKind kind, const std::filesystem::path& suggested)
        = 0;

    // Writes the one-page summary; a Japanese sentence saying why when it cannot.
    virtual std::optional<std::u16string> writePdf(
        const std::filesystem::path& file, const Report& report)
        = 0;
    // Starts the drill and hides the window until it ends, when TeacherWindow::drillEnded() is
    // called; false (the window stays) when the program could not be started.
    virtual bool startDrill(const DrillLaunch& launch) = 0;
};
