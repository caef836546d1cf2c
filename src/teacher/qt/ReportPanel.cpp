#include "teacher/qt/ReportPanel.h"

#include "common/qt/QtText.h"
#include "teacher/ReportText.h"
#include "teacher/TeacherCaptions.h"
#include "teacher/qt/DayChart.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* wrappingLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString caption(std::u16string_view text)
{
    return QtText::toQString(text);
}

ReportPeriod::Date date(const QDate& date)
{
    return { date.year(), date.month(), date.day() };
}

// The order of the period box's entries.
constexpr ReportPeriod::Kind kKinds[] = { ReportPeriod::Kind::ThisWeek,
    ReportPeriod::Kind::ThisMonth, ReportPeriod::Kind::Everything, ReportPeriod::Kind::Between };

} // namespace

ReportPanel::ReportPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    // A long name and the period wrap onto more lines rather than widen the report.
    m_heading = wrappingLabel(this);
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    // A long name wraps rather than widening the report past its pane.
    m_heading->setWordWrap(true);
    layout->addWidget(m_heading);

    auto* periodRow = new QHBoxLayout;
    auto* periodLabel = new QLabel(caption(TeacherCaptions::kPeriod) + QStringLiteral(u"："), this);
    m_period = new QComboBox(this);
    m_period->addItems({ caption(TeacherCaptions::kThisWeek), caption(TeacherCaptions::kThisMonth),
        caption(TeacherCaptions::kEverything), caption(TeacherCaptions::kBetween) });
    periodLabel->setBuddy(m_period);
    m_from = new QDateEdit(QDate::currentDate().addDays(-30), this);
    m_to = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* edit : { m_from, m_to }) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setVisible(false);
        connect(edit, &QDateEdit::dateChanged, this, &ReportPanel::periodChanged);
    }
    auto* until = new QLabel(QStringLiteral(u"〜"), this);
    until->setVisible(false);
    connect(m_period, &QComboBox::currentIndexChanged, this, [this, until](int index) {
        const bool between = index == 3;
        m_from->setVisible(between);
        m_to->setVisible(between);
        until->setVisible(between);
        emit periodChanged();
    });
    periodRow->addWidget(periodLabel);
    periodRow->addWidget(m_period);
    periodRow->addStretch();
    layout->addLayout(periodRow);
    // The chosen dates on a line of their own, so the row fits a narrow report.
    auto* datesRow = new QHBoxLayout;
    datesRow->addWidget(m_from);
    datesRow->addWidget(until);
    datesRow->addWidget(m_to);
    datesRow->addStretch();
    layout->addLayout(datesRow);

    auto* figuresBox = new QGroupBox(caption(TeacherCaptions::kFigures), this);
    m_figures = new QFormLayout(figuresBox);
    layout->addWidget(figuresBox);

    auto* chartTitle = wrappingLabel(this);
    chartTitle->setText(caption(TeacherCaptions::kChart));
    chartTitle->setAlignment(Qt::AlignHCenter);
    layout->addWidget(chartTitle);
    m_chart = new DayChart(this);
    layout->addWidget(m_chart, 1);

    auto* wordsBox = new QGroupBox(caption(TeacherCaptions::kWords), this);
    auto* words = new QFormLayout(wordsBox);
    words->setRowWrapPolicy(QFormLayout::WrapLongRows);
    m_mastered = wrappingLabel(wordsBox);
    m_hard = wrappingLabel(wordsBox);
    words->addRow(caption(TeacherCaptions::kMastered) + QStringLiteral(u"："), m_mastered);
    words->addRow(caption(TeacherCaptions::kHard) + QStringLiteral(u"："), m_hard);
    layout->addWidget(wordsBox);

    auto* confusionBox = new QGroupBox(caption(TeacherCaptions::kConfusions), this);
    auto* confusionLayout = new QVBoxLayout(confusionBox);
    m_confusions = wrappingLabel(confusionBox);
    confusionLayout->addWidget(m_confusions);
    layout->addWidget(confusionBox);

    showReport(std::nullopt);
}

ReportPeriod::Choice ReportPanel::period() const
{
    const int index = std::max(0, m_period->currentIndex());
    return { kKinds[index], date(m_from->date()), date(m_to->date()) };
}

void ReportPanel::showReport(const std::optional<TeacherView::Report>& report)
{
    while (m_figures->rowCount() > 0)
        m_figures->removeRow(0);
    if (!report) {
        m_heading->setText(QStringLiteral(u"子どもをえらぶと、その子の記録が出ます。"));
        m_mastered->clear();
        m_hard->clear();
        m_confusions->clear();
        m_chart->setReport(ChildReport {});
        return;
    }
    m_heading->setText(QtText::toQString(report->childName) + QStringLiteral(u"さんの記録　")
        + QtText::toQString(report->periodLabel));
    for (const auto& [caption, value] : ReportText::Figures(report->figures)) {
        auto* shown = new QLabel(QtText::toQString(value));
        QFont bold = shown->font();
        bold.setBold(true);
        shown->setFont(bold);
        m_figures->addRow(QtText::toQString(caption) + QStringLiteral(u"："), shown);
    }
    m_mastered->setText(QtText::toQString(ReportText::WordList(report->figures.mastered)));
    m_hard->setText(QtText::toQString(ReportText::WordList(report->figures.hard)));
    m_confusions->setText(QtText::toQString(ReportText::Confusions(report->figures)));
    m_chart->setReport(report->figures);
}

QString ReportPanel::shownText() const
{
    QStringList lines { m_heading->text() };
    for (int row = 0; row < m_figures->rowCount(); ++row) {
        const auto* caption
            = qobject_cast<QLabel*>(m_figures->itemAt(row, QFormLayout::LabelRole)->widget());
        const auto* value
            = qobject_cast<QLabel*>(m_figures->itemAt(row, QFormLayout::FieldRole)->widget());
        lines.append(caption->text() + value->text());
    }
    lines.append(m_mastered->text());
    lines.append(m_hard->text());
    lines.append(m_confusions->text());
    return lines.join(QLatin1Char('\n'));
}
