#include "common/qt/FailureReport.h"

#include "common/qt/QtText.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <exception>

namespace {

void showCriticalBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral(u"タポミ"), text, QMessageBox::Ok);
    box.exec();
}

} // namespace

FailureReport::FailureReport(Presenter presenter)
    : m_presenter(presenter ? std::move(presenter) : Presenter(showCriticalBox))
{ }

bool FailureReport::run(const std::function<void()>& action) noexcept
{
    if (m_failed)
        return false;
    try {
        action();
        return true;
    } catch (const std::exception& failure) {
        report(QtText::fromUtf8(failure.what()));
    } catch (...) {
        report(QStringLiteral(u"原因のわからないエラーです。"));
    }
    return false;
}

QString FailureReport::messageFor(const QString& detail)
{
    return QStringLiteral(u"エラーが起きたため、タポミを終了します。\n\n") + detail;
}

void FailureReport::report(const QString& detail) noexcept
{
    // Set first: the message box runs its own event loop, and timers or speech events arriving
    // meanwhile must find the logic closed rather than run on a state that has just failed.
    m_failed = true;
    try {
        m_presenter(messageFor(detail));
    } catch (...) {
        // Nothing more can be shown; ending the program below still tells the caller.
    }
    // Ends a running event loop; before the loop runs, main reads failed() instead.
    QCoreApplication::exit(kExitStatus);
}
