#include "teacher/qt/ChildList.h"

#include <QHeaderView>
#include <QStyleOptionViewItem>

#include <algorithm>

ChildList::ChildList(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({ QStringLiteral(u"名前"), QStringLiteral(u"フォルダー") });
    headerItem()->setToolTip(1, QStringLiteral(u"前に使ったカードのフォルダー"));
    setRootIsDecorated(false);
    setWordWrap(true);
    setTextElideMode(Qt::ElideMiddle);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    setAccessibleName(QStringLiteral(u"子どもの一覧"));
}

void ChildList::setRows(const QList<QPair<QString, QString>>& rows)
{
    clear();
    for (const auto& [name, folder] : rows) {
        auto* item = new QTreeWidgetItem(this, { name, folder });
        item->setToolTip(1, folder);
    }
    fitColumns();
}

void ChildList::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    fitColumns();
}

void ChildList::fitColumns()
{
    // The names as wide as the longest, but never more than three fifths of the list: a longer
    // name goes on to more lines. The folders have what is left.
    for (int row = 0; row < topLevelItemCount(); ++row)
        topLevelItem(row)->setData(0, Qt::SizeHintRole, QVariant());
    const int names = std::max(sizeHintForColumn(0), header()->sectionSizeHint(0));
    const int width = std::min(names, viewport()->width() * 3 / 5);
    header()->resizeSection(0, width);

    // A tree view makes each row as tall as its text on one line: a wrapped name is given the
    // height it takes at the column's width.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(0, 0, width, 1);
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        const QSize wrapped = itemDelegate()->sizeHint(option, indexFromItem(item, 0));
        item->setSizeHint(0, QSize(width, wrapped.height()));
    }
}
