#include "settings_ui/qt/SettingsDialog.h"

#include "common/qt/FailureReport.h"

#include <QCloseEvent>

#include <utility>

SettingsDialog::SettingsDialog(
    FailureReport& failures, std::function<void()> showDrill, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_failures(failures)
    , m_showDrill(std::move(showDrill))
{
}

void SettingsDialog::activated()
{
    run([this] { formActivate(); });
}

void SettingsDialog::run(const std::function<void()>& handler)
{
    m_failures.run(handler);
}

void SettingsDialog::returnToDrill()
{
    if (m_showDrill)
        m_showDrill();
}

void SettingsDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    run([this] { cancel(); });
}

bool SettingsDialog::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange)
        colourLabels();
    return QWidget::event(event);
}
