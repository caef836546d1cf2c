#include "settings_ui/qt/SettingsWindows.h"

#include "app/qt/ActivationTracker.h"
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

void SettingsWindows::show(SettingsWindow window)
{
    QWidget* shown = nullptr;
    if (window == SettingsWindow::Form2) {
        if (!m_options) {
            m_options
                = std::make_unique<Form2>(m_program, m_data, m_failures, [this] { handBack(); });
            Form2* form = m_options.get();
            m_activation.registerWindow(form, [form] { form->activated(); });
        }
        shown = m_options.get();
    } else {
        if (!m_selection) {
            m_selection
                = std::make_unique<Form3>(m_program, m_data, m_failures, [this] { handBack(); });
            Form3* form = m_selection.get();
            m_activation.registerWindow(form, [form] { form->activated(); });
        }
        shown = m_selection.get();
    }
    m_activation.bringToFront(shown);
}

void SettingsWindows::handBack()
{
    m_activation.bringToFront(&m_drillWindow);
}
