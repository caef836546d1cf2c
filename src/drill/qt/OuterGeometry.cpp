#include "drill/qt/OuterGeometry.h"

#include <QWidget>

namespace {

// How many more times the rectangle is set as the frame settles.
constexpr int kRefits = 3;

} // namespace

OuterGeometry::OuterGeometry(QWidget& window)
    : m_window(window)
{
}

void OuterGeometry::fit(QRect outer)
{
    m_wanted = outer;
    m_refits = kRefits;
    apply();
}

void OuterGeometry::windowShown()
{
    apply();
}

void OuterGeometry::windowMoved()
{
    if (m_refits > 0 && m_window.isVisible() && m_window.frameGeometry() != m_wanted) {
        --m_refits;
        apply();
    }
}

void OuterGeometry::apply()
{
    if (m_wanted.isNull())
        return;
    // The frame, once the window system has given the window one, is part of the outer size.
    const QRect frame = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    const QSize frameExtra(frame.width() - inner.width(), frame.height() - inner.height());
    if (frame == m_wanted)
        return;
    m_window.resize(m_wanted.size() - frameExtra);
    m_window.move(m_wanted.topLeft());
}
