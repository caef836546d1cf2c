#pragma once

#include "teacher/TeacherView.h"
#include "teacher/TeacherWindow.h"

#include <QWidget>

#include <map>

class ChildList;
class FolderMemory;
class QFrame;
class QLabel;
class QProcess;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class RecordWatcher;
class ReportPanel;
class TeacherClock;

// The teacher's window: the children on the left with their buttons, the chosen child's report
// on the right, the two ways to start a practice, and a message area for what went wrong with
// the record. Every event goes to TeacherWindow. The drill runs as a program of its own while
// this window is hidden. F1 and the ヘルプ button open the help page in the desktop's browser.
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

    // The installed help page unless set (share/tapomi/help/index.html beside the program).
    void setHelpPage(std::filesystem::path page);

    QTreeWidget* childList() const;
    QPushButton* button(Control control) const { return m_buttons.at(control); }
    QPushButton* practiseButton() const { return m_practise; }
    QPushButton* addButton() const { return m_add; }
    ReportPanel* reportPanel() const { return m_report; }
    QLabel* messageLabel() const { return m_messageText; }
    QFrame* messageArea() const { return m_messageArea; }
    QScrollArea* reportArea() const { return m_reportArea; }
    QPushButton* helpButton() const { return m_help; }

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
    void openHelp();

    // The message area's height, in lines of text.
    static constexpr int kMessageLines = 4;

    TeacherWindow m_logic;
    ChildList* m_children = nullptr;
    ReportPanel* m_report = nullptr;
    QScrollArea* m_reportArea = nullptr;
    QFrame* m_messageArea = nullptr;
    QLabel* m_messageText = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_practise = nullptr;
    QPushButton* m_help = nullptr;
    std::map<Control, QPushButton*> m_buttons;
    QProcess* m_drill = nullptr;
    RecordWatcher* m_watcher = nullptr;
    std::filesystem::path m_helpPage;
};
