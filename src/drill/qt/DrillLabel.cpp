#include "drill/qt/DrillLabel.h"

#include <QLabel>

QLabel* DrillLabel::make(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    label->setContentsMargins(0, 0, 0, 0);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void DrillLabel::setColours(QLabel* label, const QColor& text, const QColor* background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background)
        palette.setColor(QPalette::Window, *background);
    label->setPalette(palette);
    label->setAutoFillBackground(background != nullptr);
}

void DrillLabel::fitToText(QLabel* label)
{
    label->resize(label->sizeHint());
}

void DrillLabel::paintNow(QLabel* label)
{
    if (!label->isVisible())
        return;
    // The label itself is repainted, not the window under it. Qt paints a window's own dirty
    // area around its opaque children and leaves their pixels as they were, so the transparent
    // mark, repainted as part of the window, would appear only beside the word labels, never
    // over them. A dirty transparent label is composed from the window down, every sibling in
    // stacking order; an opaque one with a transparent sibling over it likewise. The area a
    // label gave up by shrinking was already marked by its resize and is painted in the same
    // pass.
    label->repaint();
}
