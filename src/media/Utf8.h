#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-16 text and the UTF-8 that file names, MeCab, espeak-ng
// and Open JTalk take. Broken surrogates become U+FFFD, so a damaged text never names a file by
// accident and never reaches an engine half-cut.
class Utf8
{
public:
    static std::string fromUtf16(std::u16string_view text);
    static std::u16string toUtf16(std::string_view text);
};
