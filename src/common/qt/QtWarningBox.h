#pragma once

#include "common/WarningBox.h"

class QWidget;

// The warning box of the running program: a modal QMessageBox with the warning icon and OK.
class QtWarningBox final : public WarningBox
{
public:
    explicit QtWarningBox(QWidget* parent = nullptr);

    void ShowWarning(std::u16string_view text, std::u16string_view title) override;

private:
    QWidget* m_parent;
};
