#include "common/qt/VerticalScrollArea.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

VerticalScrollArea::VerticalScrollArea(QWidget* content, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(content);
    content->installEventFilter(this);
}

int VerticalScrollArea::sideRoom() const
{
    // The scroll bar's room is kept even while it is hidden, so that its coming never narrows
    // the content below what it needs.
    return verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

QSize VerticalScrollArea::minimumSizeHint() const
{
    const QSize content = widget() ? widget()->minimumSizeHint() : QSize();
    const int height = std::min(content.height(), fontMetrics().height() * 4);
    return { content.width() + sideRoom(), height + 2 * frameWidth() };
}

QSize VerticalScrollArea::sizeHint() const
{
    const QSize content = widget() ? widget()->sizeHint() : QSize();
    return { content.width() + sideRoom(), content.height() + 2 * frameWidth() };
}

bool VerticalScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // New text in the content changes the width it needs.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
