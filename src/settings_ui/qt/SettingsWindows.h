#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "drill/DrillView.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class ActivationTracker;
class FailureReport;
class Form2;
class Form3;

// The two settings windows of a run: each is created the first time the drill asks for it and
// then stays for the rest of the run, comes to the front over the drill when asked, and hands
// back by bringing the drill window to the front, which activates it.
class SettingsWindows
{
public:
    SettingsWindows(ProgramState& program, DataStore& data, FailureReport& failures,
        ActivationTracker& activation, QWidget& drillWindow);
    ~SettingsWindows();

    SettingsWindows(const SettingsWindows&) = delete;
    SettingsWindows& operator=(const SettingsWindows&) = delete;

    void show(SettingsWindow window);

    Form2* options() const { return m_options.get(); }
    Form3* selection() const { return m_selection.get(); }

private:
    // The window, made and registered for activation the first time it is asked for.
    template<typename Form> Form* ensure(std::unique_ptr<Form>& form);
    void handBack();

    ProgramState& m_program;
    DataStore& m_data;
    FailureReport& m_failures;
    ActivationTracker& m_activation;
    QWidget& m_drillWindow;
    std::unique_ptr<Form2> m_options;
    std::unique_ptr<Form3> m_selection;
};
