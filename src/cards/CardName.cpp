#include "cards/CardName.h"

#include "data/CompatibleText.h"
#include "drill/CardDeck.h"

#include <algorithm>

namespace {

bool isKatakana(char16_t unit)
{
    return (unit >= 0x30A1 && unit <= 0x30FA) || (unit >= 0xFF66 && unit <= 0xFF9D);
}

std::u16string bracketed(std::u16string_view characters)
{
    std::u16string text;
    for (const char16_t unit : characters) {
        text += u'「';
        text += unit;
        text += u'」';
    }
    return text;
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
    std::u16string missing;
    std::vector<const KanaKeyboard*> failing;
    for (const KanaKeyboard& keyboard : keyboards) {
        const std::u16string lacking = keyboard.untypeable(asked);
        if (lacking.empty())
            continue;
        failing.push_back(&keyboard);
        for (const char16_t unit : lacking) {
            if (missing.find(unit) == std::u16string::npos)
                missing += unit;
        }
    }
    if (failing.empty())
        return std::nullopt;

    std::u16string shown;
    std::vector<std::u16string> kinds;
    for (const char16_t unit : missing) {
        shown += bracketed(std::u16string(1, unit == u'\t' ? u' ' : unit));
        const std::u16string kind = CharacterKind(unit);
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
    if (suggestion.empty() || suggestion == word || UntypeableReason(suggestion, keyboards))
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
