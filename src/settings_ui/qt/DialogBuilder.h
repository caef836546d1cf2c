#pragma once

#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// Builds the controls of a settings window from their form positions in twips, converted to
// pixels with the screen's real ratio, so the forms keep their proportions on any screen.
class DialogBuilder
{
public:
    explicit DialogBuilder(QWidget* window);

    void setUpWindow(const QString& title, int clientWidth, int clientHeight);
    void place(QWidget* widget, int left, int top, int width, int height) const;
    // The one-pixel outline around the content, beneath every other control.
    void outline(int left, int top, int width, int height) const;
    QLabel* label(
        QWidget* parent, const QString& text, int left, int top, int width, int height) const;
    QGroupBox* frame(const QString& title, int left, int top, int width, int height) const;
    QRadioButton* radio(
        QWidget* parent, const QString& text, int left, int top, int width, int height) const;
    QPushButton* button(const QString& text, int left, int top, int width, int height) const;
    QLabel* creditLine(int left, int top, int width, int height) const;

    int pixels(int twips) const;
    static QFont dialogFont();
    static QFont headingFont(bool bold);
    // Puts a label's text, in the system's text colour, on a background of the label's own, and
    // keeps that text readable: black or white replace a system colour that would not contrast
    // with the background (a dark colour scheme's light text on a white box). Called again when
    // the colour scheme changes.
    static void colourOn(QLabel* label, const QColor& background);
    // The credit line's background: the system's button-shadow grey.
    static QColor creditBackground();

private:
    static QFont japaneseFont();
    static void fitText(QWidget* widget);

    QWidget* m_window;
    double m_pixelsPerTwip;
};
