#pragma once

#include <optional>
#include <string>
#include <string_view>

// Shift-JIS as Windows writes it (code page 932), the encoding of every data file. Both
// directions refuse rather than guess: a byte sequence that is not code page 932 gives no text,
// and a text with a character code page 932 lacks gives no bytes.
class ShiftJisCodec
{
public:
    static std::optional<std::u16string> decode(std::string_view bytes);
    static std::optional<std::string> encode(std::u16string_view text);
    // True when the text encodes and decodes back to itself. Some characters (the yen sign, the
    // not sign) map onto a code that reads back as a different character; a name holding one
    // would never match itself after a save.
    static bool roundTrips(std::u16string_view text);
};
