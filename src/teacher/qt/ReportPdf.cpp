#include "teacher/qt/ReportPdf.h"

#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "record/ExportTarget.h"
#include "record/RecordError.h"
#include "teacher/ReportText.h"
#include "teacher/TeacherCaptions.h"
#include "teacher/qt/DayChart.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kResolution = 300; // dots per inch of the page's coordinates

QFont pageFont(double points, bool bold = false)
{
    QFont font(JapaneseFont::chooseFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The title's font, smaller where the title would not fit on one line (never below 12 points), so
// that a name as long as the record takes stands whole on the first line.
QFont titleFont(const QString& title, double width, QPaintDevice* device)
{
    constexpr double kPoints = 20;
    QFont font = pageFont(kPoints, true);
    const double needed = QFontMetricsF(font, device).horizontalAdvance(title);
    // A little under the even share: glyphs do not widen exactly with the size.
    if (needed > width)
        font.setPointSizeF(std::max(12.0, kPoints * 0.97 * width / needed));
    return font;
}

// Draws wrapped text from the top of the rectangle and returns how tall it was.
double paragraph(QPainter& painter, const QRectF& box, const QString& text)
{
    const QRectF used
        = painter.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return used.height();
}

} // namespace

std::optional<std::u16string> ReportPdf::Save(const std::filesystem::path& file,
    const std::filesystem::path& databaseFile, const TeacherView::Report& report)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(kResolution);
        writer.setTitle(QtText::toQString(report.childName) + QStringLiteral(u"さんの練習の記録"));
        writer.setCreator(QStringLiteral(u"タポミ"));
        QPainter painter;
        if (!painter.begin(&writer))
            return u"PDF をつくれませんでした。";
        Paint(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())), report);
        painter.end();
    }

    try {
        ExportTarget::Save(file, databaseFile,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const RecordError& error) {
        return error.teacherText();
    }
    return std::nullopt;
}

void ReportPdf::Paint(QPainter& painter, const QRectF& page, const TeacherView::Report& report)
{
    const ChildReport& figures = report.figures;
    const double gap = page.height() / 80;
    double y = page.top();
    painter.setPen(Qt::black);

    const QString title = QtText::toQString(report.childName) + QStringLiteral(u"さん　練習の記録");
    painter.setFont(titleFont(title, page.width(), painter.device()));
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()), title);
    painter.setFont(pageFont(11));
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
        QStringLiteral(u"期間：") + QtText::toQString(report.periodLabel)
            + QStringLiteral(u"　　つくった日：")
            + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    y += gap;

    // The four figures side by side, each a caption over a large value.
    const auto shown = ReportText::Figures(figures);
    const double column = page.width() / static_cast<double>(shown.size());
    double tallest = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QRectF cell(page.left() + column * static_cast<double>(i), y, column, page.height());
        painter.setFont(pageFont(10));
        const double caption = paragraph(painter, cell, QtText::toQString(shown[i].first));
        painter.setFont(pageFont(18, true));
        const double value
            = paragraph(painter, cell.translated(0, caption), QtText::toQString(shown[i].second));
        tallest = std::max(tallest, caption + value);
    }
    y += tallest + gap;

    painter.setFont(pageFont(12, true));
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
        QtText::toQString(TeacherCaptions::kChart));
    const QRectF chartBox(page.left(), y, page.width(), page.height() * 0.28);
    DayChart::Paint(painter, chartBox, figures, pageFont(8));
    y = chartBox.bottom() + gap * 2;

    const auto section = [&](const QString& heading, const QString& text) {
        painter.setFont(pageFont(12, true));
        y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()), heading);
        painter.setFont(pageFont(11));
        y += paragraph(
                 painter, QRectF(page.left() + gap, y, page.width() - gap, page.bottom() - y), text)
            + gap;
    };
    section(QtText::toQString(TeacherCaptions::kMastered)
            + QStringLiteral(u"ことば（ちがう日に3日間、はじめの一回で正解）"),
        QtText::toQString(ReportText::WordList(figures.mastered)));
    section(QtText::toQString(TeacherCaptions::kHard) + QStringLiteral(u"ことば"),
        QtText::toQString(ReportText::WordList(figures.hard)));
    section(QtText::toQString(TeacherCaptions::kConfusions)
            + QStringLiteral(u"（正しいかな→入力したかな）"),
        QtText::toQString(ReportText::Confusions(figures)));
}
