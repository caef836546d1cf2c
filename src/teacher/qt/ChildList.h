#pragma once

#include <QTreeWidget>

// The list of children: each name with the card folder used last. A name is always shown
// whole, on two lines when the list is narrow; the folder takes the rest of the row and loses
// its middle when it is too long, the whole of it in its tooltip. The list never scrolls
// sideways.
class ChildList final : public QTreeWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildList)

public:
    explicit ChildList(QWidget* parent = nullptr);

    // Replaces the rows with these name and folder pairs.
    void setRows(const QList<QPair<QString, QString>>& rows);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
};
