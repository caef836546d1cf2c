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

private:
    static QFont japaneseFont();
    static void fitText(QWidget* widget);

    QWidget* m_window;
    double m_pixelsPerTwip;
};
