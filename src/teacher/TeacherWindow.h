#pragma once

#include "record/Attempt.h"
#include "teacher/TeacherView.h"

#include <cstdint>
#include <filesystem>
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
// opened when first needed, so a record that cannot be opened still leaves the practice without
// a child.
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

private:
    RecordStore* store();
    void loadChildren(std::optional<std::int64_t> select);
    void refreshReport();
    void updateControls();
    std::optional<Child> selected() const;
    std::optional<TeacherView::Report> report(const Child& child);
    std::optional<std::filesystem::path> chooseFolder(std::filesystem::path offered);
    std::filesystem::path toolFolder() const;
    void launch(const std::filesystem::path& folder, std::optional<std::int64_t> childId);
    void readProblems();
    void tell(std::u16string text);

    TeacherView& m_view;
    FolderMemory& m_memory;
    const TeacherClock& m_clock;
    Places m_places;
    std::unique_ptr<RecordStore> m_store;
    std::vector<Child> m_children;
    std::vector<std::u16string> m_messages;
    TeacherTool* m_checkTool = nullptr;
    TeacherTool* m_makeTool = nullptr;
};
