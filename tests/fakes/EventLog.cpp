#include "EventLog.h"

#include "common/Utf8Text.h"

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}
