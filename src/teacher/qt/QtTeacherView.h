#pragma once

#include "teacher/TeacherView.h"
#include "teacher/TeacherWindow.h"

#include <QWidget>

#include <map>

class FolderMemory;
class QFrame;
class QLabel;
class QProcess;
class QPushButton;
class QTreeWidget;
class RecordWatcher;
class ReportPanel;
class TeacherClock;

// The teacher's window: the children on the left with their buttons, the chosen child's report
// on the right, the two ways to start a practice, and a message area for what went wrong with
// the record. Every event goes to TeacherWindow. The drill runs as a program of its own while
// this window is hidden.
class QtTeacherView final : public QWidget, private TeacherView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QtTeacherView)

public:
    QtTeacherView(FolderMemory& memory, const TeacherClock& clock, TeacherWindow::Places places,
        QWidget* parent = nullptr);

    TeacherWindow& logic() { return m_logic; }
    // Loads the children and shows what the record has to say; call once the window is shown.
    void open();

    QTreeWidget* childList() const { return m_children; }
    QPushButton* button(Control control) const { return m_buttons.at(control); }
    QPushButton* practiseButton() const { return m_practise; }
    QPushButton* addButton() const { return m_add; }
    ReportPanel* reportPanel() const { return m_report; }
    QLabel* messageLabel() const { return m_messageText; }

private:
    void setChildren(const std::vector<ChildRow>& rows, int selected) override;
    int selectedChild() const override;
    ReportPeriod::Choice period() const override;
    void showReport(const std::optional<Report>& report) override;
    void setMessages(const std::vector<std::u16string>& messages) override;
    void setControlEnabled(Control control, bool enabled) override;
    std::optional<std::u16string> askName(
        std::u16string_view question, std::u16string_view current) override;
    bool confirm(std::u16string_view question) override;
    void warn(std::u16string_view text) override;
    std::optional<std::filesystem::path> askForFolder(
        const std::filesystem::path& offered) override;
    std::optional<std::filesystem::path> askForFile(
        FileKind kind, const std::filesystem::path& suggested) override;
    std::optional<std::u16string> writePdf(
        const std::filesystem::path& file, const Report& report) override;
    bool startDrill(const DrillLaunch& launch) override;

    QPushButton* makeButton(const QString& caption, Control control);
    void drillFinished();

    // The database file, whose files a PDF must not be saved over; set before m_logic takes
    // the places.
    TeacherWindow m_logic;
    QTreeWidget* m_children = nullptr;
    ReportPanel* m_report = nullptr;
    QFrame* m_messageArea = nullptr;
    QLabel* m_messageText = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_practise = nullptr;
    std::map<Control, QPushButton*> m_buttons;
    QProcess* m_drill = nullptr;
    RecordWatcher* m_watcher = nullptr;
};
