#include "settings_ui/qt/Form3.h"

#include "settings_ui/qt/DialogBuilder.h"

#include "common/qt/FailureReport.h"
#include "common/qt/QtText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

Form3::Form3(ProgramState& program, DataStore& dataStore, FailureReport& failures,
    std::function<void()> showDrill, QWidget* parent)
    : SettingsDialog(failures, std::move(showDrill), parent)
    , m_logic(program, *this, dataStore)
{
    DialogBuilder build(this);
    build.setUpWindow(QStringLiteral("Form3"), 5985, 5910);
    build.outline(120, 120, 5655, 5655);

    QLabel* heading = build.label(this, QStringLiteral("課題選択画面"), 480, 600, 1815, 375);
    heading->setFont(DialogBuilder::headingFont(true));

    m_list = new QListWidget(this);
    build.place(m_list, 2640, 480, 2895, 4920);
    // A click or the space bar toggles one item and leaves the others as they are.
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setSortingEnabled(false);

    m_markAll = build.button(QStringLiteral("全選択"), 720, 1440, 1095, 375);
    m_unmarkAll = build.button(QStringLiteral("全解除"), 720, 2280, 1095, 375);
    m_cancel = build.button(QStringLiteral("キャンセル"), 720, 3120, 1095, 375);
    m_confirm = build.button(QStringLiteral("決定"), 720, 3960, 1095, 495);
    m_credit = build.creditLine(360, 5160, 1935, 255);

    setTabOrder(m_list, m_confirm);
    setTabOrder(m_confirm, m_cancel);
    setTabOrder(m_cancel, m_markAll);
    setTabOrder(m_markAll, m_unmarkAll);

    connect(m_confirm, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command1_Click(); }); });
    connect(m_cancel, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command2_Click(); }); });
    connect(m_markAll, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command3_Click(); }); });
    connect(m_unmarkAll, &QPushButton::clicked, this,
        [this] { run([this] { m_logic.Command4_Click(); }); });
}

void Form3::colourLabels()
{
    DialogBuilder::colourOn(m_credit, DialogBuilder::creditBackground());
}

void Form3::setItemText(int index, std::u16string_view text)
{
    const QString name = QtText::toQString(text);
    if (index == m_list->count())
        m_list->addItem(name);
    else if (QListWidgetItem* item = m_list->item(index))
        item->setText(name);
}

std::u16string Form3::itemText(int index) const
{
    const QListWidgetItem* item = m_list->item(index);
    return item ? QtText::toU16(item->text()) : std::u16string();
}

void Form3::setItemMarked(int index, bool marked)
{
    if (QListWidgetItem* item = m_list->item(index))
        item->setSelected(marked);
}

bool Form3::isItemMarked(int index) const
{
    const QListWidgetItem* item = m_list->item(index);
    return item && item->isSelected();
}

void Form3::showDrill()
{
    returnToDrill();
}
