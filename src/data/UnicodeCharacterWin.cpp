#include "data/UnicodeCharacter.h"

#include <windows.h>

namespace {

bool between(char32_t c, char32_t first, char32_t last)
{
    return c >= first && c <= last;
}

// Windows gives its character types for single UTF-16 units only; the characters past U+FFFF
// that must not pass as letters are taken by their blocks.
UnicodeCharacter::Kind supplementaryKind(char32_t c)
{
    using Kind = UnicodeCharacter::Kind;
    if (between(c, 0xF0000, 0xFFFFD) || between(c, 0x100000, 0x10FFFD))
        return Kind::PrivateUse;
    // The tags, and the format controls of Kaithi, Egyptian hieroglyphs, shorthand and music.
    if (between(c, 0xE0000, 0xE007F) || c == 0x110BD || c == 0x110CD || between(c, 0x13430, 0x1343F)
        || between(c, 0x1BCA0, 0x1BCA3) || between(c, 0x1D173, 0x1D17A))
        return Kind::Control;
    if (between(c, 0xE0100, 0xE01EF)) // the variation selectors of kanji (異体字)
        return Kind::Mark;
    return Kind::Visible;
}

WORD typeOf(DWORD table, char32_t c)
{
    const auto unit = static_cast<wchar_t>(c);
    WORD type = 0;
    if (!GetStringTypeW(table, &unit, 1, &type))
        return 0;
    return type;
}

bool isNoncharacter(char32_t c)
{
    return between(c, 0xFDD0, 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

} // namespace

UnicodeCharacter::Kind UnicodeCharacter::kindOf(char32_t c)
{
    if (between(c, 0xD800, 0xDFFF))
        return Kind::Surrogate;
    if (isNoncharacter(c))
        return Kind::Control;
    if (c > 0xFFFF)
        return supplementaryKind(c);
    if (between(c, 0xE000, 0xF8FF))
        return Kind::PrivateUse;
    // Windows counts the format characters as controls; the two separators of lines and
    // paragraphs, which it counts as spaces, are one character each.
    if (c == 0x2028 || c == 0x2029)
        return Kind::Control;
    const WORD type = typeOf(CT_CTYPE1, c);
    if (type & C1_CNTRL)
        return Kind::Control;
    if (type & C1_SPACE)
        return Kind::Space;
    if (typeOf(CT_CTYPE3, c) & C3_NONSPACING)
        return Kind::Mark;
    // The Hangul fillers, which Windows takes for letters.
    if (c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0)
        return Kind::Invisible;
    return Kind::Visible;
}

bool UnicodeCharacter::isBlank(char32_t c)
{
    return c <= 0xFFFF && !between(c, 0xD800, 0xDFFF) && (typeOf(CT_CTYPE1, c) & C1_SPACE) != 0;
}
