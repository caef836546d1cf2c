#include "data/CompatibleText.h"

#include <climits>
#include <unicode/unorm2.h>

std::u16string CompatibleText::of(std::u16string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfkc = unorm2_getNFKCInstance(&status);
    if (U_FAILURE(status) || text.size() > INT32_MAX / 3)
        return std::u16string(text);
    const auto length = static_cast<int32_t>(text.size());
    // Most texts fit three times their length; a few characters (ﷺ, ㍿) spread far wider, and
    // a text of those is asked again with the length ICU says it needs.
    std::u16string result(text.size() * 3 + 16, u'\0');
    int32_t needed = unorm2_normalize(
        nfkc, text.data(), length, result.data(), static_cast<int32_t>(result.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        result.assign(static_cast<std::size_t>(needed), u'\0');
        needed = unorm2_normalize(nfkc, text.data(), length, result.data(), needed, &status);
    }
    if (U_FAILURE(status))
        return std::u16string(text);
    result.resize(static_cast<std::size_t>(needed));
    return result;
}
