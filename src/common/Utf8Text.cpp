#include "common/Utf8Text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid sequence at the start of bytes and its code point; 0 when invalid.
std::size_t decodeOne(std::string_view bytes, char32_t& codePoint)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byteAt(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byteAt(i);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    codePoint = value;
    return length;
}

void appendUtf16(std::u16string& text, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

std::optional<std::u16string> decodeWith(std::string_view bytes, bool replace)
{
    std::u16string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t codePoint = 0;
        std::size_t length = decodeOne(bytes, codePoint);
        if (length == 0) {
            if (!replace)
                return std::nullopt;
            codePoint = kReplacement;
            length = 1;
        }
        appendUtf16(text, codePoint);
        bytes.remove_prefix(length);
    }
    return text;
}

} // namespace

std::optional<std::u16string> Utf8Text::decode(std::string_view bytes)
{
    return decodeWith(bytes, false);
}

std::u16string Utf8Text::decodeReplacing(std::string_view bytes)
{
    return *decodeWith(bytes, true);
}

std::string Utf8Text::encode(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < text.size()
            && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = kReplacement;
        }
        if (codePoint < 0x80) {
            bytes += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            bytes += static_cast<char>(0xC0 | (codePoint >> 6));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else if (codePoint < 0x10000) {
            bytes += static_cast<char>(0xE0 | (codePoint >> 12));
            bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (codePoint >> 18));
            bytes += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return bytes;
}
