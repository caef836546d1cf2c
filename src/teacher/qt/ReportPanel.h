#pragma once

#include "teacher/ReportPeriod.h"
#include "teacher/TeacherView.h"

#include <QWidget>

#include <optional>

class DayChart;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;

// The report of the chosen child for a period: the period choice, the figures, the chart of the
// first-try-right share per day, the words mastered and still hard, and the kana the child
// confuses. It only shows what it is given and says when the period changes.
class ReportPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPanel)

public:
    explicit ReportPanel(QWidget* parent = nullptr);

    ReportPeriod::Choice period() const;
    void showReport(const std::optional<TeacherView::Report>& report);

    QComboBox* periodBox() const { return m_period; }
    const DayChart* chart() const { return m_chart; }
    // The figures, words and confusions as shown, one line each, for tests and screen readers.
    QString shownText() const;

signals:
    void periodChanged();

private:
    QLabel* m_heading = nullptr;
    QComboBox* m_period = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QFormLayout* m_figures = nullptr;
    DayChart* m_chart = nullptr;
    QLabel* m_mastered = nullptr;
    QLabel* m_hard = nullptr;
    QLabel* m_confusions = nullptr;
};
