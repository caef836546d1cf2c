#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The system's own converter for code page 932, asked one character at a time when decoding
// (ShiftJisCodec builds its table from the answers) and for whole texts when encoding. iconv on
// Linux, the Win32 code page on Windows: both read and write the same bytes for every character
// a data file can hold.
class CodePage932
{
public:
    enum class Outcome
    {
        Character,
        CutShort, // a lead byte whose second byte is missing
        Invalid
    };

    // One character of one or two bytes, converted to exactly one UTF-16 unit or not at all.
    static Outcome decodeOne(std::string_view bytes, char16_t& unit);
    // The whole text, or nothing when any character of it has no code.
    static std::optional<std::string> encode(std::u16string_view text);
};
