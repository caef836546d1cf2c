#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "settings_ui/CardSelectionView.h"
#include "settings_ui/CardSelectionWindow.h"
#include "settings_ui/qt/SettingsDialog.h"

#include <functional>

class FailureReport;

class QLabel;
class QListWidget;
class QPushButton;

// The card selection window: the folder's pictures in a multi-select list and four buttons,
// forwarding its events to CardSelectionWindow.
class Form3 final : public SettingsDialog, private CardSelectionView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form3)

public:
    Form3(ProgramState& program, DataStore& dataStore, FailureReport& failures,
        std::function<void()> showDrill, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QPushButton* confirmButton() const { return m_confirm; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* markAllButton() const { return m_markAll; }
    QPushButton* unmarkAllButton() const { return m_unmarkAll; }
    QLabel* creditLabel() const { return m_credit; }

private:
    void formActivate() override { m_logic.Form_Activate(); }
    void cancel() override { m_logic.Command2_Click(); }
    void colourLabels() override;
    void setItemText(int index, std::u16string_view text) override;
    std::u16string itemText(int index) const override;
    void setItemMarked(int index, bool marked) override;
    bool isItemMarked(int index) const override;
    void showDrill() override;

    CardSelectionWindow m_logic;
    QListWidget* m_list = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_markAll = nullptr;
    QPushButton* m_unmarkAll = nullptr;
    QLabel* m_credit = nullptr;
};
