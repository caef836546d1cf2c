#include "cards/CardName.h"

#include "data/CompatibleText.h"
#include "drill/CardDeck.h"

#include <algorithm>
#include <utility>

namespace {

bool isKatakana(char16_t unit)
{
    return (unit >= 0x30A1 && unit <= 0x30FA) || (unit >= 0xFF66 && unit <= 0xFF9D);
}

// The characters of a text, each whole: a character beyond the basic plane (an emoji) is two
// UTF-16 units and one character.
std::vector<std::u16string> charactersOf(std::u16string_view text)
{
    std::vector<std::u16string> characters;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool pair = text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size()
            && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
        characters.emplace_back(text.substr(at, pair ? 2 : 1));
        if (pair)
            ++at;
    }
    return characters;
}

} // namespace

std::u16string CardName::Word(std::u16string_view pictureName)
{
    return CardDeck::PictureWord(pictureName);
}

std::u16string CardName::AskedPart(std::u16string_view word)
{
    return std::u16string(word.substr(0, kAskedLength));
}

std::u16string CardName::CharacterKind(char16_t unit)
{
    if (isKatakana(unit))
        return u"カタカナ";
    if ((unit >= 0x4E00 && unit <= 0x9FFF) || (unit >= 0x3400 && unit <= 0x4DBF)
        || (unit >= 0xF900 && unit <= 0xFAFF) || unit == u'々')
        return u"漢字";
    if ((unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z')
        || (unit >= u'ａ' && unit <= u'ｚ') || (unit >= u'Ａ' && unit <= u'Ｚ'))
        return u"ローマ字";
    if ((unit >= u'0' && unit <= u'9') || (unit >= u'０' && unit <= u'９'))
        return u"数字";
    if (unit == u' ' || unit == u'　' || unit == u'\t')
        return u"空白";
    if (unit >= 0x3041 && unit <= 0x309F)
        return u"キーのないひらがな";
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return u"絵文字など";
    return u"記号";
}

std::optional<std::u16string> CardName::UntypeableReason(
    std::u16string_view word, const std::vector<KanaKeyboard>& keyboards)
{
    const std::u16string asked = AskedPart(word);
    std::vector<std::u16string> missing;
    std::vector<const KanaKeyboard*> failing;
    for (const KanaKeyboard& keyboard : keyboards) {
        const std::u16string lacking = keyboard.untypeable(asked);
        if (lacking.empty())
            continue;
        failing.push_back(&keyboard);
        for (std::u16string& character : charactersOf(lacking)) {
            if (std::find(missing.begin(), missing.end(), character) == missing.end())
                missing.push_back(std::move(character));
        }
    }
    if (failing.empty())
        return std::nullopt;

    std::u16string shown;
    std::vector<std::u16string> kinds;
    for (const std::u16string& character : missing) {
        shown += u"「" + (character == u"\t" ? std::u16string(u" ") : character) + u"」";
        const std::u16string kind = CharacterKind(character.front());
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            kinds.push_back(kind);
    }
    std::u16string kindList;
    for (const std::u16string& kind : kinds)
        kindList += (kindList.empty() ? u"" : u"・") + kind;

    std::u16string where;
    if (failing.size() == keyboards.size() && keyboards.size() > 1)
        where = u"どちらのキーボードでも";
    else
        where = failing.front()->name() + u"のキーボードでは";
    return shown + u"（" + kindList + u"）は" + where + u"打てません。";
}

std::u16string CardName::Suggestion(
    std::u16string_view word, const std::vector<KanaKeyboard>& keyboards)
{
    std::u16string suggestion;
    for (char16_t unit : CompatibleText::of(word)) {
        if (unit == u' ' || unit == u'\t' || unit == u'"')
            continue;
        // The katakana block lies 0x60 above the hiragana; ー is shared and stays.
        if (unit >= 0x30A1 && unit <= 0x30F6)
            unit = static_cast<char16_t>(unit - 0x60);
        suggestion += unit;
    }
    // Only a word a new card may have: a rename to it must not be refused in turn.
    if (suggestion.empty() || suggestion == word || suggestion.size() > kAskedLength
        || UntypeableReason(suggestion, keyboards))
        return {};
    return suggestion;
}

std::optional<std::u16string> CardName::NewWordProblem(
    std::u16string_view word, const std::vector<KanaKeyboard>& keyboards)
{
    if (word.empty())
        return u"名前がありません。ひらがなで名前を入れてください。";
    if (word.size() > kAskedLength)
        return u"名前が長すぎます。10文字までにしてください。";
    if (auto reason = UntypeableReason(word, keyboards))
        return *reason + u"子どもが打てるひらがなにしてください。";
    return std::nullopt;
}
