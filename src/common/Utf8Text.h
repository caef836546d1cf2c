#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversion between UTF-8 bytes (file names, the command line, hand-edited files) and the
// program's UTF-16 text. Decoding is strict: overlong forms, surrogates and values past U+10FFFF
// are not UTF-8, so a name decoded here encodes back to exactly the same bytes.
class Utf8Text
{
public:
    static std::optional<std::u16string> decode(std::string_view bytes);
    // Every byte that is not part of a valid sequence becomes U+FFFD.
    static std::u16string decodeReplacing(std::string_view bytes);
    // An unpaired surrogate becomes U+FFFD.
    static std::string encode(std::u16string_view text);
};
