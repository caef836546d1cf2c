#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "settings_ui/OptionsView.h"
#include "settings_ui/OptionsWindow.h"
#include "settings_ui/qt/SettingsDialog.h"

#include <array>
#include <functional>

class FailureReport;

class QLabel;
class QRadioButton;
class QScrollBar;
class QPushButton;

// The options window: every control of the form, forwarding its events to OptionsWindow.
class Form2 final : public SettingsDialog, private OptionsView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    Form2(ProgramState& program, DataStore& dataStore, FailureReport& failures,
        std::function<void()> showDrill, QWidget* parent = nullptr);

    QRadioButton* option(int number) const { return m_options.at(number); }
    QScrollBar* scrollBar() const { return m_scroll; }
    QLabel* valueLabel4() const { return m_value; }
    QLabel* creditLabel() const { return m_credit; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void formActivate() override { m_logic.Form_Activate(); }
    void cancel() override { m_logic.Command2_Click(); }
    void colourLabels() override;
    void setOptionSelected(int option, bool selected) override;
    bool isOptionSelected(int option) const override;
    void setValueLabel(std::u16string_view text) override;
    std::u16string valueLabel() const override;
    void setScrollValue(int value) override;
    int scrollValue() const override;
    void showDrill() override;

    OptionsWindow m_logic;
    std::array<QRadioButton*, 9> m_options {};
    QScrollBar* m_scroll = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_credit = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
};
