#pragma once

#include <QString>

class QColor;
class QLabel;
class QWidget;

// The drill window's labels: plain text from their top-left corner with no margin or indent, as
// the layout measures them, and never taking the focus or a click from the window.
class DrillLabel
{
public:
    static QLabel* make(QWidget* parent, const QString& name, const QString& text);
    // The text colour, and the background filled in, or none (the window shows through).
    static void setColours(QLabel* label, const QColor& text, const QColor* background);
    // Fits an auto-size label to its text, keeping its left and top edges.
    static void fitToText(QLabel* label);
    // Paints a label on screen now: a blocking sound follows, and the child must see the kana
    // (or the mark) while hearing it.
    static void paintNow(QLabel* label);
};
