#include "common/qt/QtWarningBox.h"

#include "common/qt/QtText.h"

#include <QMessageBox>

QtWarningBox::QtWarningBox(QWidget* parent)
    : m_parent(parent)
{ }

void QtWarningBox::ShowWarning(std::u16string_view text, std::u16string_view title)
{
    QMessageBox box(QMessageBox::Warning, QtText::toQString(title), QtText::toQString(text),
        QMessageBox::Ok, m_parent);
    box.exec();
}
