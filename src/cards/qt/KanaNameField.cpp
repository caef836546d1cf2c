#include "cards/qt/KanaNameField.h"

#include "common/qt/JapaneseFont.h"

#include <QKeyEvent>

KanaNameField::KanaNameField(QWidget* parent)
    : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // The keys are the kana keys, not text for an input method to compose.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFont(JapaneseFont::bold(24));
    setMinimumHeight(56);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setKana({});
}

void KanaNameField::setKana(const QString& kana)
{
    setText(kana);
}

void KanaNameField::keyPressEvent(QKeyEvent* event)
{
    // Shortcuts (paste, closing) belong to the dialog.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QLabel::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        emit keyTyped(8);
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.front().unicode() > 0x20 && text.front().unicode() < 0x7F) {
        emit keyTyped(static_cast<std::int16_t>(text.front().unicode()));
        return;
    }
    // The space is ー on the Talking Aid keyboard.
    if (event->key() == Qt::Key_Space) {
        emit keyTyped(32);
        return;
    }
    QLabel::keyPressEvent(event);
}

void KanaNameField::focusInEvent(QFocusEvent* event)
{
    setStyleSheet(QStringLiteral("QLabel { border: 2px solid #3070d0; }"));
    QLabel::focusInEvent(event);
}

void KanaNameField::focusOutEvent(QFocusEvent* event)
{
    setStyleSheet({});
    QLabel::focusOutEvent(event);
}
