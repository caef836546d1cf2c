#include "record/ChildName.h"

#include "data/CompatibleText.h"
#include "data/ComposedText.h"
#include "data/UnicodeCharacter.h"

#include <string>

namespace {

using Kind = UnicodeCharacter::Kind;

// The character that starts at text[at], and how many units it takes; an unpaired surrogate is
// a character of its own.
char32_t characterAt(std::u16string_view text, std::size_t at, std::size_t& units)
{
    const char16_t first = text[at];
    if (first >= 0xD800 && first <= 0xDBFF && at + 1 < text.size()) {
        const char16_t second = text[at + 1];
        if (second >= 0xDC00 && second <= 0xDFFF) {
            units = 2;
            return 0x10000 + ((char32_t { first } - 0xD800) << 10) + (second - 0xDC00);
        }
    }
    units = 1;
    return first;
}

// Every blank is a single UTF-16 unit.
bool isBlankUnit(char16_t unit)
{
    return (unit < 0xD800 || unit > 0xDFFF) && UnicodeCharacter::isBlank(unit);
}

std::u16string decimal(std::size_t number)
{
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

std::u16string ChildName::Cleaned(std::u16string_view typed)
{
    std::size_t begin = 0;
    std::size_t end = typed.size();
    while (begin < end && isBlankUnit(typed[begin]))
        ++begin;
    while (end > begin && isBlankUnit(typed[end - 1]))
        --end;
    const std::u16string_view trimmed = typed.substr(begin, end - begin);
    // A name the system can't compose (an unpaired surrogate) is kept as it is, to be refused.
    return ComposedText::of(trimmed).value_or(std::u16string(trimmed));
}

std::optional<std::u16string> ChildName::Refusal(std::u16string_view cleaned)
{
    if (cleaned.empty())
        return u"名前を入れてください。";
    std::size_t characters = 0;
    bool visible = false;
    for (std::size_t at = 0, units = 0; at < cleaned.size(); at += units, ++characters) {
        switch (UnicodeCharacter::kindOf(characterAt(cleaned, at, units))) {
        case Kind::Visible:
            visible = true;
            break;
        case Kind::Space:
        case Kind::Mark:
        case Kind::Invisible:
            break;
        case Kind::Control:
            return u"名前に、目に見えない文字（制御文字や幅のない空白、文字の向きを変える記号）が"
                   u"入っています。名前を入れなおしてください。";
        case Kind::PrivateUse:
            return u"名前に、このコンピューターでしか読めない文字（外字）が入っています。"
                   u"ほかの字にしてください。";
        case Kind::Surrogate:
            return u"名前に、こわれた文字が入っています。名前を入れなおしてください。";
        }
    }
    if (!visible)
        return u"名前に、目に見える文字がありません。名前を入れてください。";
    if (characters > kMostCharacters)
        return u"名前は" + decimal(kMostCharacters) + u"文字までにしてください（いまは"
            + decimal(characters) + u"文字です）。";
    return std::nullopt;
}

std::u16string ChildName::Key(std::u16string_view name)
{
    const std::u16string compatible = CompatibleText::of(name);
    std::u16string key;
    key.reserve(compatible.size());
    for (std::size_t at = 0, units = 0; at < compatible.size(); at += units) {
        const char32_t c = characterAt(compatible, at, units);
        const Kind kind = UnicodeCharacter::kindOf(c);
        if (UnicodeCharacter::isBlank(c) || kind == Kind::Control || kind == Kind::Invisible)
            continue;
        key.append(compatible.substr(at, units));
    }
    return key;
}
