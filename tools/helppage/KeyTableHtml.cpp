#include "KeyTableHtml.h"

#include "cards/KanaKeyboard.h"
#include "common/Utf8Text.h"
#include "drill/KanaInput.h"

#include <map>

namespace {

std::string kana(char16_t unit)
{
    return Utf8Text::encode(std::u16string(1, unit));
}

std::string keysText(const std::vector<std::int16_t>& keys)
{
    std::string text;
    for (const std::int16_t key : keys)
        text += (text.empty() ? "" : " のあと ") + KeyTableHtml::JisKey(key);
    return text;
}

} // namespace

std::string KeyTableHtml::JisKey(std::int16_t keyCode)
{
    // The characters of the key tables that need Shift on a JIS keyboard, with the key under
    // them; every other one is on a key of its own.
    static const std::map<char, std::string> kShifted { { '\'', "Shift + 7" }, { '(', "Shift + 8" },
        { ')', "Shift + 9" }, { '=', "Shift + −（ほ）" }, { '|', "Shift + ¥" } };
    const char key = static_cast<char>(keyCode);
    if (key == ' ')
        return "スペース";
    if (key == '\\')
        return "＼（ろ）";
    if (key == KanaInput::VoicedMarkKey)
        return "@（゛）";
    if (key == KanaInput::SemiVoicedMarkKey)
        return "[（゜）";
    if (key >= 'A' && key <= 'Z')
        return "Shift + " + std::string(1, key);
    if (const auto shifted = kShifted.find(key); shifted != kShifted.end())
        return shifted->second;
    if (key >= 'a' && key <= 'z')
        return std::string(1, static_cast<char>(key - 'a' + 'A'));
    return std::string(1, key);
}

std::string KeyTableHtml::Tables(const KanaKeyboard& ordinary, const KanaKeyboard& talkingAid)
{
    std::string plain = "<table class=\"keys\">\n<tr><th>かな</th><th>ふつうのキーボード</th>"
                        "<th>トーキングエイド</th></tr>\n";
    std::string marked = "<table class=\"keys\">\n<tr><th>かな</th><th>ふつうのキーボード</th>"
                         "<th>トーキングエイド</th></tr>\n";
    for (const char16_t unit : ordinary.typeableKana()) {
        const std::vector<std::int16_t> keys = ordinary.keysFor(unit);
        std::string& table = keys.size() == 1 ? plain : marked;
        table += "<tr><td>" + kana(unit) + "</td><td>" + keysText(keys) + "</td><td>"
            + keysText(talkingAid.keysFor(unit)) + "</td></tr>\n";
    }
    return plain
        + "</table>\n<p>濁点・半濁点のつくかなは、もとのかなのあとに @（゛のキー）か"
          " [（゜のキー）を押します。</p>\n"
        + marked + "</table>\n";
}
