#include "drill/qt/EmptyDeckHint.h"

#include <algorithm>

EmptyDeckHint::EmptyDeckHint(QWidget* parent)
    : QLabel(QStringLiteral(u"えらばれているカードがありません。\n"
                            u"先生へ：N キーを押して、使うカードを選んでください。"),
          parent)
{
    setObjectName(QStringLiteral("EmptyDeckHint"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EmptyDeckHint::placeIn(QRect area)
{
    QFont font = this->font();
    font.setPixelSize(std::max(12, area.height() / 24));
    setFont(font);
    setGeometry(area.width() / 10, area.height() / 3, area.width() * 8 / 10, area.height() / 3);
}
