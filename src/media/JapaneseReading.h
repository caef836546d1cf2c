#pragma once

#include <memory>
#include <string>
#include <string_view>

struct mecab_t;

// Turns Japanese text with kanji into its pronunciation in kana with MeCab, for a synthesizer
// that reads only kana: "もう一度" becomes "モーイチド" and the particle "は" becomes "ワ".
// Whatever has no known reading and is not kana, a plain letter or a digit is left out, so it is
// never spelled out by its character name.
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
    explicit JapaneseReading(mecab_t* mecab);

    mecab_t* m_mecab;
};
