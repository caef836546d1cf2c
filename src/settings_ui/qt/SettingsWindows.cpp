#include "settings_ui/qt/SettingsWindows.h"

#include "common/qt/ActivationTracker.h"
#include "settings_ui/qt/Form2.h"
#include "settings_ui/qt/Form3.h"

SettingsWindows::SettingsWindows(ProgramState& program, DataStore& data, FailureReport& failures,
    ActivationTracker& activation, QWidget& drillWindow)
    : m_program(program)
    , m_data(data)
    , m_failures(failures)
    , m_activation(activation)
    , m_drillWindow(drillWindow)
{ }

SettingsWindows::~SettingsWindows() = default;

template<typename Form> Form* SettingsWindows::ensure(std::unique_ptr<Form>& form)
{
    if (!form) {
        form = std::make_unique<Form>(m_program, m_data, m_failures, [this] { handBack(); });
        Form* created = form.get();
        m_activation.registerWindow(created, [created] { created->activated(); });
    }
    return form.get();
}

void SettingsWindows::show(SettingsWindow window)
{
    QWidget* shown = window == SettingsWindow::Form2 ? static_cast<QWidget*>(ensure(m_options))
                                                     : static_cast<QWidget*>(ensure(m_selection));
    m_activation.bringToFront(shown);
}

void SettingsWindows::handBack()
{
    m_activation.bringToFront(&m_drillWindow);
}
