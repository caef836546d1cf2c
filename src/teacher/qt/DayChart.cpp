#include "teacher/qt/DayChart.h"

#include "common/qt/QtText.h"
#include "teacher/ReportText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

DayChart::DayChart(QWidget* parent)
    : QWidget(parent)
{
    setMinimumHeight(fontMetrics().height() * 12);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DayChart::setReport(const ChildReport& report)
{
    m_report = report;
    update();
}

void DayChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().text().color());
    const double margin = fontMetrics().height() * 0.5;
    Paint(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin), m_report, font());
}

void DayChart::Paint(
    QPainter& painter, const QRectF& box, const ChildReport& report, const QFont& font)
{
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font());
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100%")) * 1.3;
    const double labelHeight = metrics.height() * 1.4;
    const QRectF plot(box.left() + labelWidth, box.top() + labelHeight / 2,
        box.width() - labelWidth, box.height() - labelHeight * 1.5);

    // Lines at every 20 %, labelled on the left.
    for (int percent = 0; percent <= 100; percent += 20) {
        const double lineY = plot.bottom() - plot.height() * percent / 100.0;
        painter.setPen(QPen(percent == 0 ? Qt::black : QColor(0xc0, 0xc0, 0xc0), 2));
        painter.drawLine(QPointF(plot.left(), lineY), QPointF(plot.right(), lineY));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(box.left(), lineY - labelHeight / 2, labelWidth * 0.9, labelHeight),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(percent) + QLatin1Char('%'));
    }
    if (report.days.empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral(u"この期間の練習はありません"));
        painter.restore();
        return;
    }

    const auto count = static_cast<double>(report.days.size());
    const double slot = plot.width() / count;
    // With many days only every n-th date is written under its bar, so the dates never overlap.
    const double dateWidth = metrics.horizontalAdvance(QStringLiteral("12/30")) * 1.2;
    const int every = std::max(1, static_cast<int>(std::ceil(dateWidth / slot)));
    for (std::size_t i = 0; i < report.days.size(); ++i) {
        const ChildReport::Day& day = report.days[i];
        const int percent = ReportText::FirstTryRightPercent(day);
        const double height = plot.height() * percent / 100.0;
        const QRectF bar(plot.left() + slot * (static_cast<double>(i) + 0.15),
            plot.bottom() - height, slot * 0.7, height);
        painter.fillRect(bar, QColor(0x2e, 0x7d, 0x32));
        // The share over its bar, where there is room for it.
        if (slot >= dateWidth) {
            painter.drawText(
                QRectF(bar.left() - slot * 0.15, bar.top() - labelHeight, slot, labelHeight),
                Qt::AlignHCenter | Qt::AlignBottom, QString::number(percent) + QLatin1Char('%'));
        }
        if (static_cast<int>(i) % every == 0) {
            const QRectF under(
                plot.left() + slot * static_cast<double>(i) + slot / 2 - dateWidth / 2,
                plot.bottom() + 2, dateWidth, labelHeight);
            painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop,
                QtText::toQString(ReportText::ShortDate(day.date)));
        }
    }
    painter.restore();
}
