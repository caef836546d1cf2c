#include "data/WindowsError.h"

#include "common/Utf8Text.h"

#include <windows.h>

std::string WindowsError::reason(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr)
        return "Windows error " + std::to_string(code);
    std::u16string message(reinterpret_cast<const char16_t*>(text), length);
    LocalFree(text);
    while (!message.empty()
        && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '
            || message.back() == u'.' || message.back() == u'。'))
        message.pop_back();
    return Utf8Text::encode(message);
}
