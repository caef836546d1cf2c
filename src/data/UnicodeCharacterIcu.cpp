#include "data/UnicodeCharacter.h"

#include <unicode/uchar.h>

UnicodeCharacter::Kind UnicodeCharacter::kindOf(char32_t c)
{
    const auto point = static_cast<UChar32>(c);
    switch (u_charType(point)) {
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
        return Kind::Control;
    case U_PRIVATE_USE_CHAR:
        return Kind::PrivateUse;
    case U_SURROGATE:
        return Kind::Surrogate;
    case U_SPACE_SEPARATOR:
        return Kind::Space;
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
        return Kind::Mark;
    default:
        break;
    }
    // U+FFFF and the other code points that Unicode keeps out of text for good.
    if (u_hasBinaryProperty(point, UCHAR_NONCHARACTER_CODE_POINT))
        return Kind::Control;
    if (u_hasBinaryProperty(point, UCHAR_DEFAULT_IGNORABLE_CODE_POINT))
        return Kind::Invisible;
    return Kind::Visible;
}

bool UnicodeCharacter::isBlank(char32_t c)
{
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}
