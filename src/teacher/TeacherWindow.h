#pragma once

#include "record/Attempt.h"
#include "teacher/TeacherRecord.h"
#include "teacher/TeacherReport.h"
#include "teacher/TeacherView.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FolderMemory;
class RecordStore;
class TeacherClock;
class TeacherTool;

// The logic of the teacher's window: the children and their card folders, starting the drill
// for one of them (or for nobody, recording nothing), the report of the chosen child, its
// exports, and every problem of the record shown where the teacher sees it. The record is
// opened for each piece of work and closed after it, never across a question to the teacher:
// the window holds no lock while a dialog is open or a drill runs, and a record that cannot be
// opened still leaves the practice without a child.
class TeacherWindow
{
public:
    struct Places
    {
        std::filesystem::path drill; // the drill program
        std::filesystem::path workingDirectory;
        std::filesystem::path records; // the database file
    };

    TeacherWindow(
        TeacherView& view, FolderMemory& memory, const TeacherClock& clock, Places places);
    ~TeacherWindow();
    TeacherWindow(const TeacherWindow&) = delete;
    TeacherWindow& operator=(const TeacherWindow&) = delete;

    const Places& places() const { return m_places; }
    // CheckFolder or MakeCards; null takes the tool away.
    void attachTool(TeacherView::Control button, TeacherTool* tool);

    void open();
    void childSelected();
    void addChildClicked();
    void renameClicked();
    void removeClicked();
    void chooseFolderClicked();
    void startClicked();
    void practiseWithoutRecordClicked();
    void periodChanged();
    void exportCsvClicked();
    void exportPdfClicked();
    void toolClicked(TeacherView::Control button);
    void messagesDismissed();
    // The drill has ended; crashed when it did not end by itself.
    void drillEnded(bool crashed, int exitCode);
    // Something changed the record's files (another program, a drill, this window): the list,
    // the report and the notes are read again. Reading changes none of the files, so this
    // comes only after a write.
    void recordChanged();

private:
    void loadChildren(std::optional<std::int64_t> select);
    void refreshReport();
    void updateControls();
    std::optional<Child> selected() const;
    std::optional<std::filesystem::path> chooseFolder(std::filesystem::path offered);
    std::filesystem::path toolFolder() const;
    void launch(const std::filesystem::path& folder, const std::optional<Child>& child);
    void tell(std::u16string text);
    void reloadSelected();

    TeacherView& m_view;
    FolderMemory& m_memory;
    Places m_places;
    std::vector<Child> m_children;
    TeacherRecord m_record;
    TeacherReport m_report;
    TeacherTool* m_checkTool = nullptr;
    TeacherTool* m_makeTool = nullptr;
};
