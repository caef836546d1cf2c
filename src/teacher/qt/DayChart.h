#pragma once

#include "record/ChildReport.h"

#include <QWidget>

class QFont;
class QPainter;
class QRectF;

// The bar chart of the share of cards right at the first try, one bar per day, with lines at
// every 20 %. The same drawing serves the window and the printed summary, so that what the
// teacher sees is what she prints.
class DayChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DayChart)

public:
    explicit DayChart(QWidget* parent = nullptr);

    void setReport(const ChildReport& report);
    const ChildReport& report() const { return m_report; }

    // Draws the chart into the box on any painter, its labels in the font given.
    static void Paint(
        QPainter& painter, const QRectF& box, const ChildReport& report, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChildReport m_report;
};
