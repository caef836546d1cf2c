#include "cards/TakenNames.h"

#include "cards/CardName.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "data/PictureListing.h"

#include <string>
#include <system_error>

// Latin letters, half- and full-width, in lower case. The words a child types are kana, so only
// the rest of a name ever differs.
std::u16string TakenNames::folded(std::u16string_view name)
{
    std::u16string fold(name);
    for (char16_t& unit : fold) {
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        else if (unit >= u'Ａ' && unit <= u'Ｚ')
            unit = static_cast<char16_t>(unit - u'Ａ' + u'ａ');
    }
    return fold;
}

TakenNames::TakenNames(const std::filesystem::path& folder, std::u16string_view except)
{
    for (const PictureListing::Entry& entry : PictureListing::ListAll(folder)) {
        if (entry.fileName != except)
            m_names.emplace(folded(entry.name), entry.fileName);
    }
    std::error_code error;
    for (std::filesystem::directory_iterator entries(folder, error), end; !error && entries != end;
         entries.increment(error)) {
        const std::u16string name
            = Utf8Text::decodeReplacing(PathText::utf8(entries->path().filename()));
        if (name != except)
            m_names.emplace(folded(name), name);
    }
}

std::optional<std::u16string> TakenNames::holder(std::u16string_view name) const
{
    const auto found = m_names.find(folded(name));
    if (found == m_names.end())
        return std::nullopt;
    return found->second;
}

void TakenNames::take(std::u16string_view name)
{
    m_names.emplace(folded(name), std::u16string(name));
}

std::optional<std::u16string> TakenNames::firstFree(std::u16string_view name) const
{
    if (!holder(name))
        return std::u16string(name);
    const std::u16string word = CardName::Word(name);
    const std::size_t dot = name.rfind(u'.');
    const std::u16string ending
        = dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
    for (int number = 1; number <= 1000; ++number) {
        const std::string digits = std::to_string(number);
        const std::u16string candidate
            = word + u"." + std::u16string(digits.begin(), digits.end()) + ending;
        if (!holder(candidate))
            return candidate;
    }
    return std::nullopt;
}
