#pragma once

#include <QString>

#include <functional>

// The top level of the program's failure handling. Every event handed to the program's logic
// runs through run(): a failure that escapes it is shown to the teacher in a message box naming
// it, and the program then ends with a non-zero status. Qt's event loop is never unwound by an
// exception, and once a failure has been reported no further event reaches the logic.
class FailureReport
{
public:
    static constexpr int kExitStatus = 1;
    // Shows the report and returns once the user has closed it.
    using Presenter = std::function<void(const QString& text)>;

    // Without a presenter the report is a modal critical QMessageBox.
    explicit FailureReport(Presenter presenter = {});

    FailureReport(const FailureReport&) = delete;
    FailureReport& operator=(const FailureReport&) = delete;

    // Runs action unless a failure was reported before. Returns true when it ran to its end.
    bool run(const std::function<void()>& action) noexcept;
    // Reports a failure described by detail (UTF-8, as exceptions carry it) and ends the program.
    void report(const QString& detail) noexcept;

    bool failed() const { return m_failed; }
    static QString messageFor(const QString& detail);

private:
    Presenter m_presenter;
    bool m_failed = false;
};
