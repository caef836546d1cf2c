#pragma once

#include <memory>
#include <string>
#include <string_view>

struct mecab_t;

// Turns Japanese text with kanji into its pronunciation in kana with MeCab, for a synthesizer
// that reads only kana: "もう一度" becomes "モーイチド" and the particle "は" becomes "ワ".
// Whatever has no known reading and is not kana, a plain letter or a digit is left out, so it is
// never spelled out by its character name.
//
// MeCab maps its dictionary in only while it reads a text: reading a sentence touches megabytes
// of it here and there, and keeping it mapped between sentences would hold them in the program's
// memory while the drill waits. Opening it again costs a fraction of a millisecond.
class JapaneseReading
{
public:
    static constexpr const char* kDictionary = "/var/lib/mecab/dic/ipadic-utf8";

    // Null when MeCab or the dictionary cannot be opened.
    static std::unique_ptr<JapaneseReading> create(const std::string& dictionary = kDictionary);
    ~JapaneseReading();
    JapaneseReading(const JapaneseReading&) = delete;
    JapaneseReading& operator=(const JapaneseReading&) = delete;

    std::u16string read(std::u16string_view text);

private:
    explicit JapaneseReading(std::string arguments);
    mecab_t* open() const;

    std::string m_arguments;
};
