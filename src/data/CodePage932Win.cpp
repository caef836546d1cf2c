#include "data/CodePage932.h"

#include <array>
#include <climits>
#include <windows.h>

namespace {

constexpr UINT kShiftJis = 932;

// Windows gives the bytes that code page 932 leaves empty (0x80, 0xA0, 0xFD to 0xFF) characters
// of their own, U+0080 and private ones, where iconv on Linux refuses them. They are refused here
// too, so that a file reads alike on both systems and no name made of them is listed on one only.
bool isPassThrough(char16_t unit)
{
    return unit == 0x0080 || (unit >= 0xF8F0 && unit <= 0xF8F3);
}

} // namespace

CodePage932::Outcome CodePage932::decodeOne(std::string_view bytes, char16_t& unit)
{
    if (bytes.empty() || bytes.size() > 2)
        return Outcome::Invalid;
    if (bytes.size() == 1 && IsDBCSLeadByteEx(kShiftJis, static_cast<BYTE>(bytes[0])))
        return Outcome::CutShort;
    std::array<wchar_t, 4> output {};
    const int produced = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(),
        static_cast<int>(bytes.size()), output.data(), static_cast<int>(output.size()));
    if (produced != 1 || isPassThrough(static_cast<char16_t>(output[0])))
        return Outcome::Invalid;
    unit = static_cast<char16_t>(output[0]);
    return Outcome::Character;
}

std::optional<std::string> CodePage932::encode(std::u16string_view text)
{
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX / 2)
        return std::nullopt;
    for (char16_t unit : text) {
        if (isPassThrough(unit))
            return std::nullopt;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // No best fit: a character without its own code fails the text rather than becoming a
    // look-alike (or "?") that would not read back as itself.
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(
        kShiftJis, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    usedDefault = FALSE;
    const int written = WideCharToMultiByte(
        kShiftJis, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), needed, nullptr, &usedDefault);
    if (written != needed || usedDefault)
        return std::nullopt;
    return bytes;
}
