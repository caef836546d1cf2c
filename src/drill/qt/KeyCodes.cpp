#include "drill/qt/KeyCodes.h"

#include <QKeyEvent>

namespace {

constexpr std::int16_t kBackspaceCode = 8;
constexpr std::int16_t kTabCode = 9;
constexpr std::int16_t kEnterCode = 13;
constexpr std::int16_t kEscapeCode = 27;

// The code a key carries when the platform gives it no text (some test and remote-input
// platforms leave the text of control keys empty).
std::int16_t controlCodeOf(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnterCode;
    case Qt::Key_Backspace:
        return kBackspaceCode;
    case Qt::Key_Escape:
        return kEscapeCode;
    case Qt::Key_Tab:
        return kTabCode;
    default:
        return 0;
    }
}

} // namespace

std::vector<std::int16_t> KeyCodes::of(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty()) {
        const std::int16_t code = controlCodeOf(event.key());
        return code != 0 ? std::vector<std::int16_t> { code } : std::vector<std::int16_t> {};
    }
    // One key can carry more than one character (a dead key followed by another); each is a key
    // press of its own, as the child typed them.
    std::vector<std::int16_t> codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar unit : text)
        codes.push_back(static_cast<std::int16_t>(unit.unicode()));
    return codes;
}
