#include "settings_ui/qt/Form2.h"

#include "settings_ui/qt/DialogBuilder.h"

#include "common/qt/FailureReport.h"
#include "common/qt/QtText.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

Form2::Form2(ProgramState& program, DataStore& dataStore, FailureReport& failures,
    std::function<void()> showDrill, QWidget* parent)
    : SettingsDialog(failures, std::move(showDrill), parent)
    , m_logic(program, *this, dataStore)
{
    DialogBuilder build(this);
    build.setUpWindow(QStringLiteral("カード選び"), 5550, 4245);
    build.outline(120, 120, 5295, 3975);

    QLabel* heading = build.label(this, QStringLiteral("タポミ設定"), 1680, 240, 1680, 285);
    heading->setFont(DialogBuilder::headingFont(false));
    heading->adjustSize();

    struct Pair
    {
        QString title;
        int left, top;
        QString first, second;
        int firstWidth, firstHeight, secondWidth, secondHeight;
    };
    const Pair pairs[] = {
        { QStringLiteral("問題設定"), 360, 720, QStringLiteral("～といれてください"),
            QStringLiteral("この名前をいれて・・・"), 1695, 255, 1935, 300 },
        { QStringLiteral("お手本"), 360, 1800, QStringLiteral("表示する"),
            QStringLiteral("表示しない"), 1095, 255, 1335, 255 },
        { QStringLiteral("キーボード"), 2880, 720, QStringLiteral("トーキングエイド"),
            QStringLiteral("通常"), 1695, 255, 975, 255 },
        { QStringLiteral("トーキングエイド設定画面"), 2880, 1800, QStringLiteral("表示有り"),
            QStringLiteral("表示無し"), 1695, 255, 1695, 255 },
    };
    for (int pair = 0; pair < 4; ++pair) {
        const Pair& p = pairs[pair];
        QGroupBox* frame = build.frame(p.title, p.left, p.top, 2295, 975);
        m_options[2 * pair + 1]
            = build.radio(frame, p.first, 240, 240, p.firstWidth, p.firstHeight);
        m_options[2 * pair + 2]
            = build.radio(frame, p.second, 240, 600, p.secondWidth, p.secondHeight);
    }

    QGroupBox* frame5 = build.frame(QStringLiteral("入力待ち時間"), 360, 2880, 2295, 975);
    m_scroll = new QScrollBar(Qt::Horizontal, frame5);
    build.place(m_scroll, 240, 240, 1815, 255);
    m_scroll->setRange(OptionsWindow::kScrollMinimum, OptionsWindow::kScrollMaximum);
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(1);
    m_scroll->setValue(1);
    build.label(frame5, QStringLiteral("０．１×"), 240, 600, 615, 255);
    m_value = build.label(frame5, QString(), 960, 600, 615, 255);
    // The value sits in a white box with a thin border, like an entry field that only shows.
    m_value->setFrameStyle(QFrame::Box | QFrame::Plain);
    build.label(frame5, QStringLiteral("秒"), 1680, 600, 255, 255);

    m_apply = build.button(QStringLiteral("実行"), 4200, 3000, 975, 375);
    m_cancel = build.button(QStringLiteral("キャンセル"), 2880, 3000, 975, 375);
    m_credit = build.creditLine(3120, 3600, 1935, 255);
    colourLabels();

    // Keyboard order of the form: the two left frames, apply, cancel, the right frames, the
    // scroll bar. Within the set-up picture frame "表示無し" comes before "表示有り".
    const QList<QWidget*> order { m_options[1], m_options[2], m_options[3], m_options[4], m_apply,
        m_cancel, m_options[5], m_options[6], m_options[8], m_options[7], m_scroll };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_scroll, &QScrollBar::valueChanged, this,
        [this] { run([this] { m_logic.HScroll1_Change(); }); });
    connect(m_scroll, &QScrollBar::sliderMoved, this,
        [this] { run([this] { m_logic.HScroll1_Scroll(); }); });
    connect(m_apply, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command1_Click(); }); });
    connect(m_cancel, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command2_Click(); }); });
}

void Form2::colourLabels()
{
    DialogBuilder::colourOn(m_value, Qt::white);
    DialogBuilder::colourOn(m_credit, DialogBuilder::creditBackground());
}

void Form2::setOptionSelected(int option, bool selected)
{
    m_options.at(option)->setChecked(selected);
}

bool Form2::isOptionSelected(int option) const
{
    return m_options.at(option)->isChecked();
}

void Form2::setValueLabel(std::u16string_view text)
{
    m_value->setText(QtText::toQString(text));
}

std::u16string Form2::valueLabel() const
{
    return QtText::toU16(m_value->text());
}

void Form2::setScrollValue(int value)
{
    m_scroll->setValue(value);
}

int Form2::scrollValue() const
{
    return m_scroll->value();
}

void Form2::showDrill()
{
    returnToDrill();
}
